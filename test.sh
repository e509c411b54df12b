#!/usr/bin/env bash
# Builds the test configuration (AddressSanitizer + UndefinedBehaviorSanitizer) and runs every
# test through ctest on an Xvfb display of its own. Arguments go to ctest, for example
#   ./test.sh -R DynamicArray        ./test.sh -L endtoend
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

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORL_SANITIZE=ON -DVORL_TESTS=ON >/dev/null
cmake --build build/test

# A display of our own: Xvfb picks a free number and tells it through -displayfd.
displayFile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$displayFile" 2>/dev/null &
xvfbPid=$!
cleanup() {
  kill "$xvfbPid" 2>/dev/null || true
  wait "$xvfbPid" 2>/dev/null || true
  rm -f "$displayFile"
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -s "$displayFile" ] && break
  sleep 0.1
done
if ! [ -s "$displayFile" ]; then
  echo "test.sh: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$displayFile")"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir build/test --output-on-failure -j2 "$@"
exit "$formatStatus"
