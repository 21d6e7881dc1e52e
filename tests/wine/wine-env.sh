# Sourced by the Wine scripts: a quiet, self-contained Wine that never opens a debugger or touches
# the real home folder.
: "${WINEPREFIX:?WINEPREFIX must name the prefix}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winedbg.exe=d;mscoree=d;mshtml=d"
export HOME="${TONVIO_WINE_HOME:-$WINEPREFIX.home}"
mkdir -p "$HOME"
