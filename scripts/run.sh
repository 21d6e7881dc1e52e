#!/usr/bin/env bash
# Sets up, builds the Windows programs and starts the control panel under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64

export WINEPREFIX="${WINEPREFIX:-$PWD/build/win64/run-prefix}"
export TONVIO_WINE_HOME="$WINEPREFIX.home"
source tests/wine/wine-env.sh
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

run() { wine build/win64/panel/TonvioApp.exe "$@"; }
if [ -n "${DISPLAY:-}" ]; then
  run "$@"
else
  echo "run: no display; starting under xvfb-run" >&2
  xvfb-run -a -s '-screen 0 1280x1024x24' bash -c "$(declare -f run); run $*"
fi
