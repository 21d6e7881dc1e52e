#!/usr/bin/env bash
# Runs a Windows program under Wine in the prefix named by WINEPREFIX; the exit code is the program's.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-run: no Wine prefix at $WINEPREFIX (run 'wine-prefix.sh start' first)" >&2
  exit 2
fi
exec wine "$@"
