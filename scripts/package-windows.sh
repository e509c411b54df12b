#!/usr/bin/env bash
# Makes vorl-<version>-win64.zip: vorl.exe, the bot host beside it, the interface font the game
# looks for first (Noto Sans, from Debian's fonts-noto-core, SIL Open Font License), the licence
# texts of the Debian package as copyright.txt and README-Windows.txt, the texts with Windows line
# ends. Prints the zip's path as its last line.
#   scripts/package-windows.sh [build folder]      (default build/win64)
set -euo pipefail
build=$(realpath -m "${1:-$(dirname "$0")/../build/win64}")
cd "$(dirname "$0")/.."
bash scripts/build-windows.sh "$build" >/dev/null

version=$(sed -n 's/.*k_ProductVersion = "\([0-9.]*\)".*/\1/p' Source/Game/Menus/BuildInfo.h)
if [ -z "$version" ]; then
  echo "package-windows: no product version in Source/Game/Menus/BuildInfo.h" >&2
  exit 1
fi
name="vorl-$version-win64"
stage="$build/zip/$name"
rm -rf "$build/zip"
mkdir -p "$stage"
cp "$build/vorl.exe" "$build/vorl-scripthost.exe" "$stage/"
x86_64-w64-mingw32-strip "$stage/vorl.exe" "$stage/vorl-scripthost.exe"
# Notepad before Windows 10 shows LF-only text as one line.
sed 's/\r*$/\r/' "$build/Packaging/Files/copyright" > "$stage/copyright.txt"
cp "$build/Packaging/Files/README-Windows.txt" "$stage/"
mkdir -p "$stage/Resources/Fonts/Noto_Sans"
cp /usr/share/fonts/truetype/noto/NotoSans-Regular.ttf "$stage/Resources/Fonts/Noto_Sans/"
zip="$build/$name.zip"
rm -f "$zip"
(cd "$build/zip" && zip -q -X -r "$zip" "$name")
echo "$zip"
