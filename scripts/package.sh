#!/usr/bin/env bash
# Builds the Debian package of VORL: a Release build of the program and its installed files, with
# Debian's own compiler and linker flags, turned into vorl_<version>_amd64.deb by CPack. Prints
# the package's path as its last line.
#   scripts/package.sh [build folder]        (default build/package)
set -euo pipefail
build=$(realpath -m "${1:-$(dirname "$0")/../build/package}")
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# dpkg-buildflags gives what Debian builds its packages with (-O2, stack protector, fortified
# functions, read-only relocations); the package leaves out the debug information it would strip,
# and the warning about __DATE__: the start-up banner shows the build date on purpose.
cflags=$(dpkg-buildflags --get CFLAGS | sed 's/-g //')
cxxflags=$(dpkg-buildflags --get CXXFLAGS | sed 's/-g //')
cppflags=$(dpkg-buildflags --get CPPFLAGS | sed 's/-Wdate-time//')
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVORL_TESTS=OFF -DVORL_SANITIZE=OFF -DVORL_TOOLS=OFF \
  -DCMAKE_C_FLAGS_RELEASE="$cflags $cppflags -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="$cxxflags $cppflags -DNDEBUG" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "${launcher[@]}" >/dev/null
cmake --build "$build" --target vorl PackageFiles
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/vorl_*_amd64.deb
