#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need; only what is missing.
# Safe to run again and again: every README command calls it first.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config git
  # window, input, GL context
  libsdl2-dev
  # immediate-mode drawing back end
  libimgui-dev
  # script host
  liblua5.4-dev
  # PNG decode/encode
  libstb-dev
  # vectors and matrices
  libglm-dev
  # Vulkan device probe on a real (software) device
  libvulkan-dev mesa-vulkan-drivers
  # GL driver: Mesa llvmpipe
  libgl1-mesa-dri libgl-dev
  # fonts
  libfontconfig-dev fonts-noto-core fonts-dejavu-core
  # monitor names from EDID
  libxrandr-dev
  # FreeType (its version is printed at start-up)
  libfreetype-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth x11-utils xdotool imagemagick
  # a window manager for the tests of fullscreen and window geometry
  openbox
  # the Debian package and the checks of its files
  dpkg-dev lintian desktop-file-utils appstream
  # the fuzz targets (Tools/Fuzz): clang with its libFuzzer and sanitizer runtimes
  clang libclang-rt-14-dev
  # the formatting check of the test run (.clang-format)
  clang-format
  # the Windows cross build: MinGW-w64 (posix threads), Wine to run its tests, zip for the
  # package; scripts/win64-deps.sh unpacks Debian's source packages (dpkg-source, xz)
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 zip xz-utils
)

# The deb-src line of every active deb line of the classic list that has none yet.
classic_src_lines() {
  awk '/^deb-src[ \t]/ { have[$0] = 1 }
       /^deb[ \t]/     { src = $0; sub(/^deb/, "deb-src", src); want[++n] = src }
       END { for (i = 1; i <= n; i++) if (!(want[i] in have)) { print want[i]; have[want[i]] = 1 } }' \
    "$classic"
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# The Windows libraries are built from Debian's source packages, so apt needs the deb-src
# entries next to every deb entry of Debian's own source lists.
deb822=/etc/apt/sources.list.d/debian.sources
classic=/etc/apt/sources.list
src_missing=()
if [ -f "$deb822" ] && awk '/^Types:/ && !/deb-src/ { f = 1 } END { exit !f }' "$deb822"; then
  src_missing+=("$deb822")
fi
if [ -f "$classic" ] && [ -n "$(classic_src_lines)" ]; then
  src_missing+=("$classic")
fi

if [ ${#missing[@]} -eq 0 ] && [ ${#src_missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
else
  [ ${#missing[@]} -eq 0 ] || echo "setup: these Debian packages are missing: ${missing[*]}" >&2
  [ ${#src_missing[@]} -eq 0 ] || echo "setup: deb-src entries are missing in: ${src_missing[*]}" >&2
  echo "setup: changing that needs root; run this script as root or give this user sudo rights." >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
for f in "${src_missing[@]}"; do
  echo "setup: enabling deb-src entries in $f"
  if [ "$f" = "$deb822" ]; then
    "${as_root[@]}" sed -i -E '/^Types:/{/deb-src/!s/\<deb\>/deb deb-src/}' "$f"
  else
    classic_src_lines | "${as_root[@]}" tee -a "$f" >/dev/null
  fi
done

"${as_root[@]}" apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
echo "setup: done"
