#!/usr/bin/env python3
"""The whole system end to end under Wine and Xvfb, in a fresh prefix.

From a folder laid out as a distribution ships it (the reference OEM kit, TonvioSetup.exe and the stand-in
SDK library): a silent installation; the companion service registered and running; the installed
control panel started without a switch asks the service, which starts it with "-servicestart"; the
emulated chip plugged and the panel driving it; the wizard's Finish starting the panel the same way; a
silent uninstallation that closes the panel and leaves nothing of the installation but the user's
profiles; and a wizard-driven installation of the same kit that again reaches a running panel. Screenshots
and the two programs' logs are kept in the output folder, and the installation's time is printed.
"""

import re
import subprocess
import sys
import time
from pathlib import Path

from panel_scenario import TIMEOUT, Failure, check
import setup_scenario
from setup_scenario import FINISH, NEXT, Scenario as SetupScenario

INSTALL = "C:\\Program Files\\Tonvio"
PANEL = INSTALL + "\\TonvioApp.exe"
UNINSTALLER = INSTALL + "\\TonvioUninstall.exe"
SOFTWARE = "HKLM\\Software\\"
ENVIRONMENT = "HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\Environment"


class Scenario(SetupScenario):
    def __init__(self, args):
        super().__init__(args)
        # Every program of the prefix, the ones the service starts too, drives the emulated chip.
        self.env["TONVIO_EMULATED_DEVICE"] = "1"

    # --- the prefix's state
    def service_state(self):
        code, output, _ = self.wine_run(["sc", "query", "DeviceWatchService"])
        match = re.search(r"STATE\s*:\s*\d+\s+(\w+)", output)
        return match.group(1) if code == 0 and match else None

    def panel_command_lines(self):
        """The command lines of the control panels running in this prefix, as Wine shows them to Linux
        (other Wine prefixes on the machine may run panels of their own)."""
        lines = []
        for proc in Path("/proc").iterdir():
            try:
                args = (proc / "cmdline").read_bytes().replace(b"\0", b" ").decode(errors="replace").strip()
                if "TonvioApp.exe" not in args or args.startswith(("wine ", "/")):
                    continue
                environment = (proc / "environ").read_bytes().split(b"\0")
            except OSError:
                continue
            prefix = [v for v in environment if v.startswith(b"WINEPREFIX=")]
            if not prefix or prefix[0].decode(errors="replace") == "WINEPREFIX=" + self.env["WINEPREFIX"]:
                lines.append(args)
        return lines

    def key_exists(self, key, view="/reg:32"):
        return self.wine_run(["reg", "query", key, view])[0] == 0

    # --- the panel the service starts
    def panel_driver(self, *command):
        code, output, errors = self.wine_run(["tonvio_panel_driver.exe"] + [str(c) for c in command])
        check(code == 0, f"panel driver {command}: {errors.strip()[-300:]}")
        return output

    def expect_panel_from_service(self, name):
        left, top, width, height = map(int, self.panel_driver("find", TIMEOUT).split())
        self.rect = (left, top, width, height)
        lines = self.wait_until(self.panel_command_lines, "a running control panel")
        check(len(lines) == 1, f"expected one panel, found {lines}")
        check(lines[0].rstrip().endswith("-servicestart"), f"the panel runs as {lines[0]!r}, not with -servicestart")
        self.shot(name)

    def expect_no_panel(self):
        self.wait_until(lambda: not self.panel_command_lines(), "the control panel to end")

    def drive_chip(self):
        self.tool("reset")
        self.tool("clear-requests")
        self.tool("plug")

        def activated():
            requests = self.tool("requests")
            return requests if re.search(r"DLLQZ_SetActive_Device.*(4D2F.*4802|19759.*18434)", requests) else None

        requests = self.wait_until(activated, "the panel to make the chip its active device")
        (self.out / "requests-after-plug.txt").write_text(requests)
        self.shot("3-panel-device-ready", unlike="2-panel-from-service")

    # --- steps
    def silent_install(self):
        started = time.time()
        code, _, _ = self.wine_run(["TonvioSetup.exe", "/S", "/LOG=C:\\setup-silent.log"])
        self.install_seconds = time.time() - started
        log = self.unix_path("C:\\setup-silent.log").read_text(errors="replace")
        (self.out / "setup-silent.log").write_text(log)
        check(code == 0, f"the silent installation ended with {code}")
        for step in ["1", "2", "3", "4", "5", "6", "7", "8", "8.1", "9", "10"]:
            check(f"===== Install STEP{step} =====" in log, f"silent log: stage line of step {step} missing")
        check("ended with exit code 0" in log, "the silent log does not say how it ended")

    def silent_uninstall(self):
        code, _, _ = self.wine_run([UNINSTALLER, "/S", "/LOG=C:\\uninstall-silent.log"])
        log = self.unix_path("C:\\uninstall-silent.log").read_text(errors="replace")
        (self.out / "uninstall-silent.log").write_text(log)
        check(code == 0, f"the silent uninstallation ended with {code}: {log[-600:]}")

    def expect_nothing_left(self, profile):
        check(not self.unix_path(INSTALL).exists(), "the installation folder is still there")
        system32 = self.unix_path("C:\\windows\\system32")
        for name in ["DeviceWatchService.exe", "drivers/Vexfl.sys"]:
            check(not (system32 / name).exists(), f"{name} is still there")
        check(self.service_state() is None, "the service is still registered")
        for key in [SOFTWARE + "Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVQ48xxAudioExt",
                    SOFTWARE + "KVQ 48xx Software", SOFTWARE + "KVQ USB DeviceId Group",
                    SOFTWARE + "KVQ HID DeviceId Group", "HKLM\\System\\CurrentControlSet\\Services\\Vexfl"]:
            check(not self.key_exists(key), f"{key} is still there")
        check(self.wine_run(["reg", "query", SOFTWARE + "Microsoft\\Windows\\CurrentVersion\\Run", "/v", "TonvioApp",
                             "/reg:32"])[0] != 0, "the log-on entry is still there")
        programs = self.unix_path("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs")
        for folder in ["Tonvio Audio", "Tonvio"]:
            check(not (programs / folder).exists(), f"the start-menu folder {folder} is still there")
        desktop = self.unix_path(self.wine_run(["cmd", "/c", "echo", "%USERPROFILE%"])[1] + "\\Desktop")
        check(not (desktop / "Tonvio Control Panel.lnk").exists(), "the desktop shortcut is still there")
        check(profile.is_file(), "the user's profile went with the installation")

    def wizard_install(self, run, language):
        """The wizard over the prefix, Next and Finish; Finish starts the installed panel."""
        log = open(self.out / f"setup-wizard{run}-debug.log", "w")
        self.setup = subprocess.Popen(["wine", "TonvioSetup.exe"], env=dict(self.env, WINEDEBUG="-all,warn+seh"),
                                      cwd=self.program, stdout=log, stderr=log)
        self.rect = tuple(map(int, self.driver("find", 60).split()))
        self.expect_language(language)
        self.driver("click", NEXT)
        self.driver("wait-enabled", FINISH, 300)
        self.screen_shot(f"wizard{run}-finish-page")
        self.driver("click", FINISH)
        try:
            self.setup.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure("the setup did not end on Finish")
        log.close()
        self.setup = None
        text = (self.out / f"setup-wizard{run}-debug.log").read_text(errors="replace")
        check("Code = 0x8000" not in text, f"wizard run {run}: a step failed")

    def run(self):
        self.lay_out()
        self.start_display(1366, 768)
        subprocess.run(["wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=240, check=True)
        self.wine_server("-w")
        # The panels the service starts take their environment from the machine's.
        check(self.wine_run(["reg", "add", ENVIRONMENT, "/v", "TONVIO_EMULATED_DEVICE", "/d", "1", "/f"])[0] == 0,
              "the machine's environment cannot be set")
        self.tool("unplug")

        self.silent_install()
        self.wait_until(lambda: self.service_state() == "RUNNING", "the service to run after the installation")
        self.screen_shot("1-after-silent-install")

        code, _, _ = self.wine_run([PANEL])
        check(code == 0, f"the panel without a switch ended with {code}")
        self.expect_panel_from_service("2-panel-from-service")
        code, _, _ = self.wine_run([PANEL])
        check(code == 0 and len(self.panel_command_lines()) == 1, "a second request started a second panel")
        self.drive_chip()

        self.panel_driver("exit")
        self.expect_no_panel()
        self.wizard_install(1, "English")
        self.expect_panel_from_service("4-panel-after-finish")

        # The uninstaller closes the running panel itself.
        appdata = self.unix_path(self.wine_run(["cmd", "/c", "echo", "%APPDATA%"])[1]) / "Tonvio"
        self.silent_uninstall()
        self.expect_no_panel()
        self.expect_nothing_left(appdata / "AudioConfig.cfg")
        self.screen_shot("5-after-silent-uninstall")

        self.tool("unplug")
        self.wizard_install(2, "English")
        self.wait_until(lambda: self.service_state() == "RUNNING", "the service to run after the wizard")
        self.expect_panel_from_service("6-panel-after-wizard-install")
        self.panel_driver("exit")
        self.expect_no_panel()
        print(f"system end-to-end: silent installation took {self.install_seconds:.1f} s")


def main():
    return setup_scenario.main(Scenario, __doc__, "system",
                               "TonvioSetup.exe, the stand-in SDK library, the setup driver, the chip tool and the "
                               "panel driver")


if __name__ == "__main__":
    sys.exit(main())
