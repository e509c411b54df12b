#!/usr/bin/env bash
# Cross-builds VORL for 64-bit Windows with Debian's MinGW-w64: vorl.exe and vorl-scripthost.exe
# (Release, linked statically), and with --tests the test programs that run under Wine. The
# libraries Debian ships only for Linux come from scripts/win64-deps.sh, which builds them once
# from Debian's source packages into a cache outside the clone.
#   scripts/build-windows.sh [--tests] [build folder]      (default build/win64)
set -euo pipefail
# Without --tests a build folder keeps what it was configured with (a new one builds no tests).
tests=()
if [ "${1:-}" = "--tests" ]; then
  tests=(-DVORL_TESTS=ON)
  shift
fi
build=$(realpath -m "${1:-$(dirname "$0")/../build/win64}")
cd "$(dirname "$0")/.."
bash scripts/setup.sh

prefix=$(bash scripts/win64-deps.sh | tail -n 1)
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/Toolchain-MinGW-w64.cmake \
  -DVORL_WIN64_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release "${tests[@]}" -DVORL_TOOLS=OFF \
  "${launcher[@]}" >/dev/null
cmake --build "$build"
echo "$build/vorl.exe"
