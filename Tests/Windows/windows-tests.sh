#!/usr/bin/env bash
# The steps of the Windows tests that CTest runs (Tests/CMakeLists.txt):
#   windows-tests.sh prefix              prints the Wine prefix the tests use
#   windows-tests.sh build <folder>      cross-builds the game and its tests, prepares the prefix
#   windows-tests.sh unit <folder>       runs the Windows unit tests under Wine
# The prefix lives in the cache beside the Windows libraries, outside the clone: Wine takes some
# 20 s to make one, and a second run reuses it.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
prefix="${XDG_CACHE_HOME:-$HOME/.cache}/vorl/wine64"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

case "${1:-}" in
prefix)
  echo "$prefix"
  ;;
build)
  # Made before the build, whose test discovery already runs the test programs under Wine.
  if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    echo "windows-tests: making the Wine prefix $prefix"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  # Wine brings no Arial, the font the game looks for in the Windows font folder; a free font
  # stands in for it, so that a game started without "Resources/Fonts/" finds one as on Windows.
  fonts="$prefix/drive_c/windows/Fonts"
  if [ ! -f "$fonts/Arial.ttf" ]; then
    mkdir -p "$fonts"
    cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$fonts/Arial.ttf"
  fi
  "$root/scripts/build-windows.sh" --tests "$2"
  ;;
unit)
  ctest --test-dir "$2" --output-on-failure -j2
  ;;
*)
  echo "usage: windows-tests.sh prefix | build <folder> | unit <folder>" >&2
  exit 2
  ;;
esac
