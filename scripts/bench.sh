#!/usr/bin/env bash
# The control panel against a bare 800 x 500 Win32 window built the same way (the win64 preset), side by
# side in one run under Wine and Xvfb: start-up to the first visible window, resident memory, idle CPU
# and wake-ups over 30 s with the device plugged (the emulated chip) and unplugged, and how long a poll
# tick holds up the window's thread. Prints a table with the ratios, ready for the README.
#   scripts/bench.sh [--runs N] [--idle SECONDS] [--settle SECONDS] [--blocking SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target TonvioApp tonvio_standin_sdk TonvioChipTool tonvio_bare_window \
      tonvio_bench_probe >/dev/null

build=build/win64
/usr/bin/python3 tests/bench/bench.py \
  --programs "$build/panel/TonvioApp.exe" "$build/emulator/dll/DLLQZ_Tonvio48xx_x32.dll" \
             "$build/emulator/tool/TonvioChipTool.exe" "$build/tests/wine/bench/tonvio_bare_window.exe" \
             "$build/tests/wine/bench/tonvio_bench_probe.exe" \
  --kit oem/kit --work "$build/bench-work" --build-name "win64 preset: RelWithDebInfo, MinGW-w64 x86_64, static" \
  "$@"
