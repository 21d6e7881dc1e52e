#!/usr/bin/env bash
# Sets up, builds the Windows programs, lays out the control panel with the reference OEM kit and the
# stand-in SDK library, and starts it under Wine driving the emulated device.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64

# The panel's folder as an installation would leave it: the program, the OEM kit beside it, the
# SDK library it loads by name, and the tool that plugs, unplugs and presses the emulated device.
run_dir=build/win64/run
mkdir -p "$run_dir"
cp -r oem/kit/. "$run_dir/"
cp build/win64/panel/TonvioApp.exe build/win64/emulator/dll/DLLQZ_Tonvio48xx_x32.dll \
   build/win64/emulator/tool/TonvioChipTool.exe "$run_dir/"
# The plug-in the kit offers in the "Plugin" menu, where Setup would place it.
cp build/win64/plugin/TonvioPluginStandIn.exe "$run_dir/Plugin/TonvioEffects/TonvioEffects.exe"

export WINEPREFIX="${WINEPREFIX:-$PWD/build/win64/run-prefix}"
export TONVIO_WINE_HOME="$WINEPREFIX.home"
source tests/wine/wine-env.sh
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

# The per-user copy of the configuration that the installer leaves, in which the panel keeps the
# user's language and skin; made once, so that a choice survives the next start.
appdata_unix=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
user_config_dir="$appdata_unix/$(sed -n 's/^InstallFolderName=//p' oem/kit/AudioConfig.cfg | tr -d '\r')"
if [ ! -f "$user_config_dir/AudioConfig.cfg" ]; then
  mkdir -p "$user_config_dir"
  cp oem/kit/AudioConfig.cfg "$user_config_dir/"
fi

# Never chosen silently: the panel drives the emulated chip only when asked to.
export TONVIO_EMULATED_DEVICE=1
args=("${@:--servicestart}")
cd "$run_dir"
if [ -n "${DISPLAY:-}" ]; then
  wine TonvioApp.exe "${args[@]}"
else
  echo "run: no display; starting under xvfb-run" >&2
  xvfb-run -a -s '-screen 0 1280x1024x24' wine TonvioApp.exe "${args[@]}"
fi
