"""What the Python drivers of Windows programs under Wine share (the end-to-end scenario, the benchmark):
an Xvfb of their own and the per-user configuration copy the installer leaves."""

import os
import re
import shutil
import subprocess
import time
from pathlib import Path


def wine_environment(work):
    """The environment of a Wine of its own: prefix and home folder under `work`, no debug output, and
    neither menu entries, the debugger's dialog nor the Mono and Gecko installers."""
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": str(Path(work) / "prefix"),
        "HOME": str(Path(work) / "home"),
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "winemenubuilder.exe=d;winedbg.exe=d;mscoree=d;mshtml=d",
    })
    return env


def start_xvfb(env, width, height):
    """Starts Xvfb on the first free display from :90 and points env["DISPLAY"] at it; returns the server's
    process. Raises RuntimeError when the display does not answer."""
    for number in range(90, 200):
        if not Path(f"/tmp/.X{number}-lock").exists() and not Path(f"/tmp/.X11-unix/X{number}").exists():
            break
    display = f":{number}"
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    env["DISPLAY"] = display
    # Generous: on a busy machine the server may take a while to answer.
    for _ in range(300):
        if subprocess.run(["xdpyinfo"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0:
            return xvfb
        time.sleep(0.1)
    xvfb.terminate()
    xvfb.wait()
    raise RuntimeError(f"Xvfb did not start on {display}")


def place_user_config(kit, wine_text):
    """Copies the kit's "AudioConfig.cfg" to the per-user folder the installer makes (the application-data
    folder, then the kit's "InstallFolderName"); `wine_text` runs a Windows command and returns its output.
    Returns the copy's Linux path."""
    kit = Path(kit)
    appdata = wine_text(["cmd", "/c", "echo", "%APPDATA%"])
    folder = re.search(r"^InstallFolderName=(.*)$", (kit / "AudioConfig.cfg").read_text(), re.M).group(1)
    user_config = Path(wine_text(["winepath.exe", "-u", appdata])) / folder.strip() / "AudioConfig.cfg"
    user_config.parent.mkdir(parents=True, exist_ok=True)
    shutil.copy(kit / "AudioConfig.cfg", user_config)
    return user_config
