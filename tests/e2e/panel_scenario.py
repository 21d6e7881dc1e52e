#!/usr/bin/env python3
"""The control panel end to end under Wine and Xvfb, driving the emulated device.

The panel runs from a folder laid out as an installation leaves it (the reference OEM kit, the panel,
the stand-in SDK library), with the per-user copy of the configuration the installer makes. The chip
is plugged and unplugged with the chip tool, the panel is clicked and its tray menu used through the
panel driver, and every state is kept as a screenshot in the output folder.
"""

import argparse
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

from PIL import Image, ImageChops

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "wine"))
from wine_session import place_user_config, start_xvfb, wine_environment  # noqa: E402



class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Scenario:
    def __init__(self, args):
        self.programs = [Path(p) for p in args.programs]
        self.kit = Path(args.kit)
        self.work = Path(args.work)
        self.out = Path(args.out)
        self.program = self.work / "program"
        self.xvfb = None
        self.panel = None
        self.panel_log = None
        self.env = wine_environment(self.work)
        self.env["TONVIO_EMULATED_DEVICE"] = "1"
        self.shots = {}

    # --- set-up
    def lay_out(self):
        shutil.rmtree(self.work, ignore_errors=True)
        shutil.rmtree(self.out, ignore_errors=True)
        self.out.mkdir(parents=True)
        (self.work / "home").mkdir(parents=True)
        shutil.copytree(self.kit, self.program)
        for program in self.programs:
            check(program.is_file(), f"{program} is not built")
            shutil.copy(program, self.program / program.name)

    def start_display(self, width, height):
        self.stop_display()
        try:
            self.xvfb = start_xvfb(self.env, width, height)
        except RuntimeError as failure:
            raise Failure(str(failure))

    def stop_display(self):
        if self.xvfb is not None:
            self.wine_server("-k")
            self.xvfb.terminate()
            self.xvfb.wait()
            self.xvfb = None

    def wine_server(self, flag):
        subprocess.run(["wineserver", flag], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def boot_prefix(self):
        subprocess.run(["wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=240, check=True)
        self.wine_server("-w")
        self.user_config = place_user_config(self.kit, self.wine_text)

    def wine_run(self, command):
        """Runs a Windows program to its end: its exit code and its output. The output goes through files,
        not pipes, since the Wine processes a program starts can keep a pipe open long after it ended."""
        out = self.work / "last-output.txt"
        err = self.work / "last-errors.txt"
        with open(out, "w") as stdout, open(err, "w") as stderr:
            code = subprocess.run(["wine"] + command, env=self.env, stdout=stdout, stderr=stderr, timeout=120,
                                  cwd=self.program).returncode
        return code, out.read_text(errors="replace").replace("\r", "").strip(), err.read_text(errors="replace")

    def wine_text(self, command):
        return self.wine_run(command)[1]

    # --- the chip and the panel
    def tool(self, *command):
        return self.wine_text(["TonvioChipTool.exe"] + list(command))

    def driver(self, *command):
        code, output, errors = self.wine_run(["tonvio_panel_driver.exe"] + list(command))
        check(code == 0, f"panel driver {command}: {errors.strip()[-300:]}")
        return output

    def start_panel(self):
        self.panel_log = open(self.out / "panel-debug.log", "a")
        # This Wine reports OutputDebugString on its exception channel.
        env = dict(self.env, WINEDEBUG="-all,warn+seh")
        self.panel = subprocess.Popen(["wine", "TonvioApp.exe", "-servicestart"], env=env, cwd=self.program,
                                      stdout=self.panel_log, stderr=self.panel_log)
        left, top, width, height = map(int, self.driver("find", "60").split())
        self.rect = (left, top, width, height)
        time.sleep(1.5)

    def stop_panel(self):
        self.driver("exit")
        try:
            self.panel.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise Failure("the panel did not end on its exit message")
        self.panel_log.close()
        self.wine_server("-w")

    def debug_lines(self):
        """The panel's debug output so far, one entry per line it wrote."""
        log = (self.out / "panel-debug.log").read_text(errors="replace")
        return re.findall(r'OutputDebugString[AW] "(.*?)(?:\\n)?"$', log, re.M)

    def shot(self, name):
        left, top, width, height = self.rect
        path = self.out / f"{name}.png"
        subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", "root", "-crop",
                        f"{width}x{height}+{left}+{top}", "+repage", str(path)], check=True, env=self.env)
        self.shots[name] = path
        return path

    def differing_pixels(self, first, second):
        a = Image.open(self.shots[first]).convert("RGB")
        b = Image.open(self.shots[second]).convert("RGB")
        if a.size != b.size:
            return a.size[0] * a.size[1]
        diff = ImageChops.difference(a, b).convert("L").point(lambda v: 255 if v > 16 else 0)
        return sum(1 for v in diff.getdata() if v)

    def expect_different(self, first, second, what):
        check(self.differing_pixels(first, second) > 50, f"{what}: {first} and {second} look the same")

    def expect_same(self, first, second, what):
        changed = self.differing_pixels(first, second)
        check(changed < 50, f"{what}: {first} and {second} differ in {changed} pixels")

    def count_lines(self, line):
        return sum(1 for written in self.debug_lines() if written == line)

    def wait_for_line(self, line, seconds, after=0):
        deadline = time.time() + seconds
        while time.time() < deadline:
            if self.count_lines(line) > after:
                return
            time.sleep(0.2)
        raise Failure(f"the panel never wrote {line!r}")

    def tab_centre(self, resolution, key):
        """The centre of a skin picture (a page tab, a button), in client coordinates, from the skin that
        the panel shows."""
        skin = self.program / "Skin" / resolution / "Graphite" / "SkinSetting.ini"
        value = re.search(rf"^{key}=(.*)$", skin.read_text(), re.M).group(1).split(",")
        left, top, width, height = (int(v) for v in value[1:5])
        return str(left + width // 2), str(top + height // 2)

    def user_choice(self, key):
        text = self.user_config.read_bytes().decode("utf-16" if self.user_config.read_bytes()[:2] == b"\xff\xfe"
                                                    else "cp1252")
        match = re.search(rf"^{key}=(.*)$", text, re.M)
        return match.group(1).strip() if match else ""

    # --- the scenario
    def hot_plug(self):
        self.tool("reset")
        self.tool("unplug")
        self.start_panel()
        self.shot("1920x1080-1-no-device")
        self.wait_for_line("SearchDevicePresent = 0", 5)

        self.tool("clear-requests")
        self.tool("plug")
        self.wait_for_line("***** KVQ_Set_DEVICE_SYMBOLIC_NAME Success *****", 10)
        time.sleep(1.5)
        self.shot("1920x1080-2-active")
        self.expect_different("1920x1080-1-no-device", "1920x1080-2-active", "plugging in")
        requests = self.tool("requests")
        (self.out / "requests-after-plug.txt").write_text(requests)
        check(re.search(r"DLLQZ_SetActive_Device.*4D2F.*4802|DLLQZ_SetActive_Device.*19759.*18434", requests),
              "no DLLQZ_SetActive_Device with the device's IDs in the request record")

        self.tool("unplug")
        time.sleep(1.5)
        self.shot("1920x1080-3-unplugged")
        self.expect_different("1920x1080-2-active", "1920x1080-3-unplugged", "unplugging")
        check(self.panel.poll() is None, "the panel ended when the device went")

        arrivals = self.count_lines("DeviceArrival1")
        self.tool("plug")
        self.wait_for_line("DeviceArrival1", 10, after=arrivals)
        time.sleep(1.5)
        self.shot("1920x1080-4-plugged-again")
        self.expect_same("1920x1080-2-active", "1920x1080-4-plugged-again", "plugging in again")

    def pages(self, resolution, prefix):
        tabs = ["PageEQUpImage", "PageEffectUpImage", "PageMicUpImage", "PageVirtual7p1UpImage",
                "PageLEDUpImage", "PageENCUpImage", "PageVMEffectUpImage"]
        previous = None
        for tab in tabs:
            self.driver("click", *self.tab_centre(resolution, tab))
            time.sleep(0.8)
            name = f"{prefix}-page-{tab[4:-7]}"
            self.shot(name)
            if previous is not None:
                self.expect_different(previous, name, f"selecting {tab}")
            previous = name
        self.driver("click", *self.tab_centre(resolution, "PageEQUpImage"))
        time.sleep(0.8)

    def about_box(self, resolution):
        self.shot("1920x1080-before-about")
        self.driver("click", *self.tab_centre(resolution, "Menu3ImageUp"))
        time.sleep(1.5)
        self.shot("1920x1080-about")
        self.expect_different("1920x1080-before-about", "1920x1080-about", "opening the about box")
        self.driver("close-dialog")
        time.sleep(1)
        self.shot("1920x1080-about-closed")
        self.expect_same("1920x1080-before-about", "1920x1080-about-closed", "closing the about box")

    def skin_and_language(self):
        self.shot("1920x1080-before-menus")
        # Skins in the menu: Ember, Graphite (current). Languages: English (current), Deutsch.
        self.driver("tray-menu", "down,down,right,enter")
        time.sleep(1.5)
        check(self.user_choice("DefaultSkin") == "Ember", f"skin choice kept as {self.user_choice('DefaultSkin')!r}")
        self.shot("1920x1080-skin-ember")
        self.expect_different("1920x1080-before-menus", "1920x1080-skin-ember", "switching the skin")
        self.driver("tray-menu", "down,right,down,enter")
        time.sleep(1.5)
        check(self.user_choice("DefaultLanguage") == "German",
              f"language choice kept as {self.user_choice('DefaultLanguage')!r}")
        self.shot("1920x1080-language-german")
        self.expect_different("1920x1080-skin-ember", "1920x1080-language-german", "switching the language")

        self.stop_panel()
        self.start_panel()
        self.shot("1920x1080-restarted")
        self.expect_same("1920x1080-language-german", "1920x1080-restarted", "the choices at the next start")
        # Back to the kit's defaults for what follows.
        self.driver("tray-menu", "down,down,right,down,enter")
        time.sleep(1)
        self.driver("tray-menu", "down,right,enter")
        time.sleep(1)
        self.stop_panel()

    def missing_driver(self):
        self.tool("driver", "missing")
        self.start_panel()
        self.shot("1920x1080-5-driver-missing")
        self.expect_different("1920x1080-5-driver-missing", "1920x1080-1-no-device", "the missing-driver outcome")
        self.expect_different("1920x1080-5-driver-missing", "1920x1080-2-active", "the missing-driver outcome")
        self.stop_panel()
        self.tool("driver", "present")

    def run(self):
        self.lay_out()
        self.start_display(1920, 1080)
        self.boot_prefix()
        self.hot_plug()
        self.pages("1366x768", "1920x1080")
        self.about_box("1366x768")
        self.skin_and_language()
        self.missing_driver()

        self.start_display(1366, 768)
        self.start_panel()
        self.shot("1366x768-active")
        self.pages("960x540", "1366x768")
        self.stop_panel()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--programs", required=True, nargs="+",
                        help="the panel, the stand-in SDK library, the chip tool and the panel driver")
    parser.add_argument("--kit", required=True, help="the OEM kit folder")
    parser.add_argument("--work", required=True, help="scratch folder: program folder and Wine prefix")
    parser.add_argument("--out", required=True, help="screenshots and logs")
    scenario = Scenario(parser.parse_args())
    try:
        scenario.run()
    except Failure as failure:
        print(f"end-to-end: {failure}", file=sys.stderr)
        return 1
    finally:
        if scenario.panel is not None and scenario.panel.poll() is None:
            scenario.panel.kill()
        scenario.stop_display()
    print(f"end-to-end: passed; screenshots in {scenario.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
