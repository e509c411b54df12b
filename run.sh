#!/usr/bin/env bash
# Builds VORL (Release) and starts it in ./play, the working folder that holds gamedata.cfg,
# gamelog.txt and Screenshots/. Arguments are passed on to the game.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target vorl
mkdir -p play
cd play
exec ../build/release/vorl "$@"
