#!/usr/bin/env bash
# The libFuzzer targets of Tools/Fuzz, built with clang, AddressSanitizer and UBSan in build/fuzz.
#   Tools/Fuzz/run.sh                       lists the targets, one a line
#   Tools/Fuzz/run.sh <target> <seconds>    fuzzes one target that long (further arguments go to
#                                           libFuzzer); new inputs gather in build/fuzz/corpus/<target>,
#                                           crashes in build/fuzz/crashes
#   Tools/Fuzz/run.sh --check [runs]        every target for a fixed number of runs from its seeds
#                                           (default 3000), the regression check ./test.sh runs
# A crash ends the run with its input saved and a non-zero status. Once fixed, the input belongs
# in Tools/Fuzz/Corpus/<target>/ and in a unit test.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$root/build/fuzz"

targets() {
  for source in "$here"/Targets/*.cpp; do
    basename "$source" .cpp
  done
}

# Seeds under version control: the target's own folder, plus the shipped files it parses.
seed_dirs() {
  local target=$1
  echo "$here/Corpus/$target"
  case "$target" in
    locale) echo "$root/Resources/Locale" ;;
    shadertext) echo "$root/Resources/Shaders" ;;
  esac
}

build_targets() {
  bash "$root/scripts/setup.sh"
  local launcher=()
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORL_FUZZ=ON -DVORL_SANITIZE=ON -DVORL_TESTS=OFF -DVORL_TOOLS=OFF "${launcher[@]}" >/dev/null
  local names=()
  for target in "$@"; do
    names+=("fuzz_$target")
  done
  cmake --build "$build" --target "${names[@]}"
}

fuzz_arguments() {
  local target=$1
  local dictionary="$here/Dictionaries/$target.dict"
  [ -f "$dictionary" ] && echo "-dict=$dictionary"
  echo "-artifact_prefix=$build/crashes/$target-"
  echo "-print_final_stats=1"
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

if [ $# -eq 0 ]; then
  targets
  exit 0
fi

if [ "$1" = "--check" ]; then
  runs=${2:-3000}
  mapfile -t all < <(targets)
  build_targets "${all[@]}"
  mkdir -p "$build/crashes"
  failed=()
  for target in "${all[@]}"; do
    scratch=$(mktemp -d)
    mapfile -t seeds < <(seed_dirs "$target")
    mapfile -t extra < <(fuzz_arguments "$target")
    # A fixed seed makes the same inputs every time: a failure here repeats.
    if (cd "$build" && "$build/fuzz/fuzz_$target" -runs="$runs" -seed=1 "${extra[@]}" "$scratch" "${seeds[@]}" \
      >"$build/check-$target.log" 2>&1); then
      echo "fuzz check: $target passed ($runs runs)"
    else
      echo "fuzz check: $target FAILED, see $build/check-$target.log" >&2
      tail -n 40 "$build/check-$target.log" >&2
      failed+=("$target")
    fi
    rm -rf "$scratch"
  done
  [ ${#failed[@]} -eq 0 ]
  exit $?
fi

target=$1
seconds=${2:?usage: Tools/Fuzz/run.sh <target> <seconds>}
shift 2
if ! [ -f "$here/Targets/$target.cpp" ]; then
  echo "run.sh: no target \"$target\"; the targets are:" >&2
  targets >&2
  exit 2
fi
build_targets "$target"
mkdir -p "$build/corpus/$target" "$build/crashes"
mapfile -t seeds < <(seed_dirs "$target")
mapfile -t extra < <(fuzz_arguments "$target")
# Anything a target logs lands in build/fuzz, not in the caller's folder.
cd "$build"
exec "$build/fuzz/fuzz_$target" -max_total_time="$seconds" "${extra[@]}" "$@" "$build/corpus/$target" "${seeds[@]}"
