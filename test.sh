#!/usr/bin/env bash
# Builds the test configuration (AddressSanitizer + UndefinedBehaviorSanitizer) and runs every
# test through ctest on an Xvfb display of its own. Arguments go to ctest, for example
#   ./test.sh -R DynamicArray        ./test.sh -L endtoend
# Without arguments it then replays the fuzz targets on their seeds (Tools/Fuzz/run.sh --check).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup.sh

# The house style: every C++ file as .clang-format lays it out. Reported first, failed at the end,
# so a formatting slip does not hide what the tests say.
formatStatus=0
if ! find Source Tests Tools \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
  xargs -0 clang-format --dry-run --Werror; then
  echo "test.sh: the files above are not formatted; run clang-format -i on them" >&2
  formatStatus=1
fi

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORL_SANITIZE=ON -DVORL_TESTS=ON \
  -DVORL_WINDOWS_TESTS=ON >/dev/null
cmake --build build/test

# A display of our own.
source scripts/own-display.sh
trap stop_own_display EXIT
start_own_display

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
status=0
ctest --test-dir build/test --output-on-failure -j2 "$@" || status=$?

# The whole suite also replays every fuzz target on its seeds for a fixed number of runs (a clang
# build of its own in build/fuzz; only the parsers and the libraries below them are compiled).
if [ $# -eq 0 ]; then
  bash Tools/Fuzz/run.sh --check || status=$?
fi
if [ "$status" -ne 0 ]; then
  exit "$status"
fi
exit "$formatStatus"
