#!/usr/bin/env bash
# start: a fresh Wine prefix, booted and settled. stop: shut down the prefix's wineserver.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"

fail() {
  echo "Wine cannot start: $*" >&2
  echo "Install it with scripts/setup.sh; the Win32 tests need the 64-bit Wine (wine64) and a display (xvfb-run)." >&2
  exit 1
}

case "${1:-}" in
  start)
    command -v wine >/dev/null || fail "the 'wine' command is not installed"
    version=$(wine --version 2>&1) || fail "'wine --version' failed: $version"
    [ -n "${DISPLAY:-}" ] || echo "wine-prefix: no DISPLAY; windows, tray icons and device notifications will fail" >&2
    wineserver -k 2>/dev/null
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # One recording device for the audio tests: ALSA's null device, which records silence.
    printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
    started=$(date +%s)
    out=$(timeout 180 wineboot -i 2>&1) || fail "wineboot failed in $WINEPREFIX: $out"
    # The prefix is usable only when wineserver has finished the boot; services fail to start before.
    timeout 120 wineserver -w || fail "wineserver did not settle after wineboot"
    [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot left no registry in $WINEPREFIX"
    echo "wine-prefix: $version ready in $WINEPREFIX ($(( $(date +%s) - started )) s)"
    ;;
  stop)
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    echo "wine-prefix: stopped $WINEPREFIX"
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
