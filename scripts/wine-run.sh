#!/bin/sh
# Runs a Windows program under Wine in the build tree's own prefix.
# TYMP_BUILD_DIR names the build tree; the default is ./build beside this script.
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TYMP_BUILD_DIR:-$here/build}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# A home with a null ALSA device, so Wine reports a mixer and a wave output.
export HOME=${TYMP_HOME:-$build/home}
# TYMP_WINE names the loader: Wine's 64-bit one for 64-bit builds (see setup.sh).
exec "${TYMP_WINE:-wine}" "$@"
