#!/usr/bin/env bash
# The steps of the Windows tests that CTest runs (Tests/CMakeLists.txt):
#   windows-tests.sh prefix              prints the Wine prefix the tests use
#   windows-tests.sh build <folder>      cross-builds the game and its tests, prepares the prefix
#   windows-tests.sh unit <folder>       runs the Windows unit tests under Wine
#   windows-tests.sh package <folder>    makes the zip, checks its files and starts the game in it
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
package)
  zip=$("$root/scripts/package-windows.sh" "$2" 2>/dev/null | tail -n 1)
  expected="README-Windows.txt Resources/Fonts/Noto_Sans/NotoSans-Regular.ttf copyright.txt vorl-scripthost.exe vorl.exe"
  listed=$(unzip -Z1 "$zip" | grep -v '/$' | sed 's|^[^/]*/||' | sort | tr '\n' ' ' | sed 's/ $//')
  if [ "$listed" != "$expected" ]; then
    echo "windows-tests: $zip holds: $listed; expected: $expected" >&2
    exit 1
  fi
  unpacked=$(mktemp -d)
  trap 'rm -rf "$unpacked"' EXIT
  unzip -q "$zip" -d "$unpacked"
  # Run from a copy of the zip's folder, as a player runs it: it names itself and its version.
  version=$(cd "$unpacked"/vorl-*-win64 && wine ./vorl.exe --version | tr -d '\r')
  case "$version" in
  "VORL $(basename "$zip" -win64.zip | sed 's/^vorl-//') "*) echo "windows-tests: $zip: $version" ;;
  *)
    echo "windows-tests: vorl.exe --version from the zip printed: $version" >&2
    exit 1
    ;;
  esac
  # The texts are for Notepad: every line ends in CRLF.
  copyright=$(echo "$unpacked"/vorl-*-win64/copyright.txt)
  if [ "$(grep -c $'\r$' "$copyright")" -ne "$(wc -l < "$copyright")" ]; then
    echo "windows-tests: copyright.txt has lines without CRLF" >&2
    exit 1
  fi
  ;;
*)
  echo "usage: windows-tests.sh prefix | build <folder> | unit <folder> | package <folder>" >&2
  exit 2
  ;;
esac
