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
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
else
  echo "setup: these Debian packages are missing: ${missing[*]}" >&2
  echo "setup: installing them needs root; run this script as root or give this user sudo rights." >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "setup: done"
