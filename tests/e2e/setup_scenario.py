#!/usr/bin/env python3
"""TonvioSetup end to end under Wine and Xvfb, in a fresh prefix.

The setup runs from a folder laid out as a distribution ships it (the reference OEM kit, TonvioSetup.exe
and the stand-in SDK library). The setup driver clicks the wizard through its pages: the language switch
changes the captions, Next installs, the progress reaches its end, Finish closes. The scenario then checks
what the installation left in the prefix (files, per-user copy, registry values, shortcuts, the service),
and runs the setup a second time over the installed system in the other language. Every page is kept as
a screenshot in both languages.
"""

import argparse
import subprocess
import sys
import time
from pathlib import Path

import panel_scenario
from panel_scenario import Failure, check

# Control indices of the wizard model (control ID = 1000 + index).
NEXT, FINISH, CANCEL, SELECT_LANG, INSTALL_LABEL, PROGRESS, REBOOT_LABEL = 1, 2, 3, 4, 8, 9, 10
CAPTIONS = {"English": "Tonvio Setup", "German": "Tonvio Installation"}
NEXT_TEXT = {"English": "Next >", "German": "Weiter >"}
LANGUAGE_INDEX = {"English": 0, "German": 1}  # the combo box lists the folders in alphabetical order


class Scenario(panel_scenario.Scenario):
    """The panel scenario's harness (program folder, display, prefix, Wine runs) around the setup."""

    def __init__(self, args):
        args.programs = [str(Path(p).resolve()) for p in args.programs]
        for name in ("kit", "work", "out"):
            setattr(args, name, str(Path(getattr(args, name)).resolve()))
        super().__init__(args)
        self.env.pop("TONVIO_EMULATED_DEVICE", None)
        self.setup = None
        self.version = None

    def driver(self, *command):
        code, output, errors = self.wine_run(["tonvio_setup_driver.exe"] + [str(c) for c in command])
        check(code == 0, f"setup driver {command}: {errors.strip()[-300:]}")
        return output

    def unix_path(self, windows_path):
        """A path on drive C: is a path inside the prefix, read directly: asking winepath under a loaded
        machine once gave an empty answer and sent the checks to the wrong folder."""
        if windows_path[:3].upper() == "C:\\":
            return Path(self.env["WINEPREFIX"]) / "drive_c" / Path(*windows_path[3:].split("\\"))
        code, output, _ = self.wine_run(["winepath.exe", "-u", windows_path])
        check(code == 0 and output, f"winepath could not place {windows_path}")
        return Path(output.splitlines()[-1])

    # --- the wizard
    def screen_shot(self, name):
        path = self.out / f"{name}.png"
        subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", "root", str(path)], check=True,
                       env=self.env)
        return path

    def expect_language(self, language):
        caption = self.driver("caption")
        check(caption.startswith(CAPTIONS[language] + " (V"), f"caption {caption!r} is not the {language} one")
        check(self.driver("text", NEXT) == NEXT_TEXT[language], f"the Next button is not in {language}")
        return caption

    def run_setup(self, start_language, language, run):
        log = open(self.out / f"setup-run{run}-debug.log", "w")
        env = dict(self.env, WINEDEBUG="-all,warn+seh")  # this Wine reports OutputDebugString there
        self.setup = subprocess.Popen(["wine", "TonvioSetup.exe"], env=env, cwd=self.program, stdout=log, stderr=log)
        self.rect = tuple(map(int, self.driver("find", 60).split()))
        time.sleep(1.0)
        self.expect_language(start_language)
        self.screen_shot(f"run{run}-background")
        if start_language != language:
            self.driver("select", LANGUAGE_INDEX[language])
            time.sleep(0.5)
        self.version = self.expect_language(language).split(" (V")[1].rstrip(")")
        self.shot(f"page0-language-{language}")

        self.driver("click", NEXT)
        for _ in range(100):
            if self.driver("visible", INSTALL_LABEL) == "1":
                break
            time.sleep(0.05)
        check(self.driver("visible", SELECT_LANG) == "0", "the language page is still shown while installing")
        self.shot(f"page1-install-{language}")

        self.driver("wait-enabled", FINISH, 300)
        time.sleep(0.5)
        check(self.driver("progress") == "100", f"the progress ended at {self.driver('progress')}")
        check(self.driver("visible", NEXT) == "0" and self.driver("visible", CANCEL) == "0",
              "Next and Cancel are still shown on the finish page")
        check(self.driver("visible", REBOOT_LABEL) == "1", "the finish page's text is not shown")
        self.shot(f"page2-finish-{language}")

        self.driver("click", FINISH)
        try:
            self.setup.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise Failure("the setup did not end on Finish")
        log.close()
        self.setup = None
        text = (self.out / f"setup-run{run}-debug.log").read_text(errors="replace")
        for step in ["1", "2", "3", "4", "5", "6", "7", "8", "8.1", "9", "10"]:
            check(f"===== Install STEP{step} =====" in text, f"run {run}: stage line of step {step} missing")
        check("Code = 0x8000" not in text, f"run {run}: a step failed")

    # --- what the installation left
    def reg_query(self, key, value):
        code, output, _ = self.wine_run(["reg", "query", key, "/v", value, "/reg:32"])
        check(code == 0, f"registry value {key}\\{value} missing")
        return output

    def check_installation(self, language):
        program_files = self.unix_path(self.wine_run(["cmd", "/c", "echo", "%ProgramFiles%"])[1]) / "Tonvio"
        for name in ["TonvioApp.exe", "TonvioUninstall.exe", "AudioConfig.cfg", "Tonvio.ico", "bee.wav",
                     "DLLQZ_Tonvio48xx_x32.dll", "Skin/1366x768/Graphite/SkinSetting.ini",
                     "Language/German/Language.ini", "Plugin/TonvioEffects/TonvioEffects.exe",
                     "Plugin/TonvioSoundLab/TonvioSoundLab.exe"]:
            check((program_files / name).is_file(), f"{name} was not installed")
        manual = {"English": "English/Tonvio Manual.html", "German": "German/Tonvio Handbuch.html"}[language]
        check((program_files / "Manual" / manual).is_file(), f"the {language} manual was not installed")
        appdata = self.unix_path(self.wine_run(["cmd", "/c", "echo", "%APPDATA%"])[1]) / "Tonvio"
        check((appdata / "AudioConfig.cfg").is_file() and (appdata / "DefaultProfile.ini").is_file(),
              "the per-user copy is missing")
        system32 = self.unix_path("C:\\windows\\system32")
        check((system32 / "drivers" / "Vexfl.sys").is_file(), "the filter driver file is missing")
        check((system32 / "DeviceWatchService.exe").is_file(), "the service program is missing")

        panel = "C:\\Program Files\\Tonvio\\TonvioApp.exe"
        software = "HKLM\\Software\\KVQ 48xx Software"
        checks = [
            (software, "UserPrivilegeExecution_C0", f'"{panel}" -servicestart'),
            (software, "SystemPrivilegeExecutionOnBoot_C3", f'"{panel}" -serviceboot'),
            (software, "AdminPrivilegeExecutionOnBoot_B4",
             '"C:\\Program Files\\Tonvio\\Plugin\\TonvioEffects\\TonvioEffects.exe" -serviceboot'),
            (software, "Virtual7ch1Scalar", "0x14"),
            (software, "EncEnable", "0x0"),
            (software + "\\EncValueMap", "VID_4D2F&PID_4802", "0xf"),
            ("HKLM\\Software\\KVQ USB DeviceId Group", "1", "USB\\VID_4D2F&PID_48XX&REV_0100&MI_00"),
            ("HKLM\\Software\\KVQ HID DeviceId Group", "1", "HID\\VID_4D2F&PID_48XX&REV_0100&MI_03"),
            ("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "TonvioApp", f'"{panel}" -boot'),
            ("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVQ48xxAudioExt", "DisplayVersion",
             self.version),
            ("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVQ48xxAudioExt", "UninstallString",
             "C:\\Program Files\\Tonvio\\TonvioUninstall.exe"),
            ("HKLM\\System\\CurrentControlSet\\Services\\Vexfl", "ImagePath", "System32\\DRIVERS\\Vexfl.sys"),
        ]
        for key, value, data in checks:
            output = self.reg_query(key, value)
            check(data in output, f"{key}\\{value}: expected {data!r} in {output!r}")
        service = self.reg_query("HKLM\\System\\CurrentControlSet\\Services\\DeviceWatchService", "ImagePath")
        check("DeviceWatchService.exe" in service, f"the service is not registered: {service!r}")

        programs = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"
        desktop = self.wine_run(["cmd", "/c", "echo", "%USERPROFILE%"])[1] + "\\Desktop"
        uninstaller = "C:\\Program Files\\Tonvio\\TonvioUninstall.exe"
        manual = {"English": "English\\Tonvio Manual.html", "German": "German\\Tonvio Handbuch.html"}[language]
        for link, target in [(programs + "\\Tonvio Audio\\Tonvio\\Tonvio Control Panel.lnk", panel),
                             (programs + "\\Tonvio Audio\\Tonvio\\Uninstall Tonvio.lnk", uninstaller),
                             (programs + "\\Tonvio\\Tonvio Manual.lnk", "C:\\Program Files\\Tonvio\\Manual\\" + manual),
                             (desktop + "\\Tonvio Control Panel.lnk", panel)]:
            resolved = self.driver("link", link)
            check(resolved.lower() == target.lower(), f"shortcut {link} points to {resolved!r}, not {target!r}")

    def run(self):
        self.lay_out()
        self.start_display(1366, 768)
        # A fresh prefix; no per-user copy: the installer seeds it.
        subprocess.run(["wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=240, check=True)
        self.wine_server("-w")
        # A fresh machine: the per-user copy is seeded from the kit, whose default language is English.
        self.run_setup("English", "German", 1)
        self.check_installation("German")
        # Over the installed system: the per-user copy keeps German, the user switches back.
        self.run_setup("German", "English", 2)
        self.check_installation("English")


def main(scenario_class=None, description=__doc__, name="setup",
         programs_help="TonvioSetup.exe, the stand-in SDK library and the setup driver"):
    """Runs a scenario built on this one's harness; another scenario file passes its own class and texts."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--programs", required=True, nargs="+", help=programs_help)
    parser.add_argument("--kit", required=True, help="the OEM kit folder")
    parser.add_argument("--work", required=True, help="scratch folder: setup folder and Wine prefix")
    parser.add_argument("--out", required=True, help="screenshots and logs")
    scenario = (scenario_class or Scenario)(parser.parse_args())
    try:
        scenario.run()
    except Failure as failure:
        print(f"{name} end-to-end: {failure}", file=sys.stderr)
        return 1
    finally:
        if scenario.setup is not None and scenario.setup.poll() is None:
            scenario.setup.kill()
        scenario.stop_display()
    print(f"{name} end-to-end: passed; screenshots in {scenario.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
