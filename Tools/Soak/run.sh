#!/usr/bin/env bash
# Soak: the sanitizer build of the game under an Xvfb display of its own, fed random input for the
# given number of minutes (fractions allowed):
#   Tools/Soak/run.sh <minutes> [seed]
# Input: keys of every kind (letters, digits, arrows, Return, Escape, Tab, Backspace, Space, Shift,
# Ctrl combinations, function keys including F11), mouse moves and clicks anywhere, window
# resizes, and console commands (help, clear, sizes, g_vsync, bot autopilot). The snake is
# steered by the random arrow keys; "bot autopilot" is sent through the console now and then and
# plays where the game has that command (a game without it answers "Not a recognised command").
# A random click on Quit ends the game normally; it is then started again, and that is no failure.
#
# Every 10 s the game's resident memory and open file descriptors are sampled. It fails on
#   - growth: resident memory more than 128 MiB, or more than 16 descriptors, above the first
#     sample taken after a 20 s warm-up (AddressSanitizer's quarantine is held at 16 MiB so that
#     it cannot pass for growth);
#   - a sanitizer report (AddressSanitizer, UndefinedBehaviorSanitizer) on the game's error output;
#   - a hang: no frame for 5 s. The frame loop sleeps once a frame (frame cap or swap wait), so its
#     main thread's voluntary context switches and its processor time both rise with every frame;
#     when either stands still for 5 s, the game is counted as hung (a deadlock shows as no
#     processor time, a busy loop as no switch);
#   - a crash: any end other than exit status 0 with "Exit code: 0" in the log.
# VORL_SOAK_BINARY names a game already built; otherwise the sanitizer build in build/test is made.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"

minutes=${1:?usage: Tools/Soak/run.sh <minutes> [seed]}
seed=${2:-$(date +%s)}
RANDOM=$seed
readonly k_RssBoundKb=$((128 * 1024))
readonly k_FdBound=16
readonly k_HangSeconds=5

if [ -n "${VORL_SOAK_BINARY:-}" ]; then
  game=$VORL_SOAK_BINARY
else
  bash "$root/scripts/setup.sh"
  cmake -S "$root" -B "$root/build/test" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORL_SANITIZE=ON -DVORL_TESTS=ON >/dev/null
  cmake --build "$root/build/test" --target vorl
  game="$root/build/test/vorl"
fi

work=$(mktemp -d)
source "$root/scripts/own-display.sh"
gamePid=
cleanup() {
  if [ -n "$gamePid" ] && kill -0 "$gamePid" 2>/dev/null; then
    kill -KILL "$gamePid" 2>/dev/null || true
    wait "$gamePid" 2>/dev/null || true
  fi
  stop_own_display
  if [ "${keep:-0}" = 1 ]; then
    echo "soak: the game's files are in $work/game"
  else
    rm -rf "$work"
  fi
}
trap cleanup EXIT
start_own_display
# Leak reports are off for the game only: Mesa is unloaded before the report and its frames cannot
# be told from ours (as in the GL tests). Everything else the sanitizers see ends the game.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=0:quarantine_size_mb=16:suppressions=$here/asan-suppressions.txt"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$work/game"

fail() {
  echo "soak: FAILED after $(($(date +%s) - start)) s: $*" >&2
  if [ -f "$work/game/stderr.txt" ]; then
    tail -n 80 "$work/game/stderr.txt" >&2
  fi
  keep=1
  exit 1
}

window=
starts=0
start_game() {
  rm -f "$work/game/gamelog.txt"
  (cd "$work/game" && exec "$game" >stdout.txt 2>stderr.txt) &
  gamePid=$!
  starts=$((starts + 1))
  window=
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --pid "$gamePid" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    kill -0 "$gamePid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$window" ] || fail "the game showed no window"
  echo "soak: game started (process $gamePid)"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  lastSwitches=-1
  lastTicks=-1
  lastProgress=$(date +%s)
  loopSince=
  baselineRss=
  baselineFds=
  startedAt=$(date +%s)
}

# The game ended: normally (Quit clicked) it is started again, anything else fails the soak.
check_ended() {
  kill -0 "$gamePid" 2>/dev/null && return 0
  local status=0
  wait "$gamePid" || status=$?
  sanitizer_check
  if [ "$status" -eq 0 ] && grep -q "Exit code: 0" "$work/game/gamelog.txt"; then
    echo "soak: the game was quit by the input; starting it again"
    gamePid=
    start_game
    return 0
  fi
  fail "the game ended with status $status"
}

sanitizer_check() {
  if grep -qE "ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer" "$work/game/stderr.txt" 2>/dev/null; then
    # The sanitizer ends the process once its report is written; symbolizing the stacks takes a
    # while, and a kill before that would cut the report short.
    for _ in $(seq 600); do
      [ -n "$gamePid" ] && kill -0 "$gamePid" 2>/dev/null || break
      sleep 0.1
    done
    cp "$work/game/stderr.txt" "$root/build/soak-sanitizer-report.txt" 2>/dev/null || true
    fail "a sanitizer report (kept in build/soak-sanitizer-report.txt)"
  fi
}

# Frame progress of the main thread: voluntary context switches and processor time.
check_progress() {
  local status stat switches ticks now
  status=$(cat "/proc/$gamePid/task/$gamePid/status" 2>/dev/null) || return 0
  stat=$(cat "/proc/$gamePid/task/$gamePid/stat" 2>/dev/null) || return 0
  switches=$(awk '/^voluntary_ctxt_switches/ {print $2}' <<<"$status")
  ticks=$(awk '{sub(/^.*\) /, ""); print $12 + $13}' <<<"$stat")
  now=$(date +%s)
  # The frame loop starts once the game is initialised; the start-up before it is not timed.
  if [ -z "$loopSince" ]; then
    if grep -q "VORL successfully initialised" "$work/game/gamelog.txt" 2>/dev/null; then
      loopSince=$now
      lastProgress=$now
    fi
    return 0
  fi
  if [ "$switches" != "$lastSwitches" ] && [ "$ticks" != "$lastTicks" ]; then
    lastProgress=$now
  elif [ $((now - lastProgress)) -ge $k_HangSeconds ]; then
    fail "no frame for ${k_HangSeconds} s (main thread: $switches voluntary switches, $ticks ticks, unchanged)"
  fi
  lastSwitches=$switches
  lastTicks=$ticks
}

samples=0
maxRss=0
maxFds=0
sample() {
  local rss fds now
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$gamePid/status" 2>/dev/null) || return 0
  fds=$(find "/proc/$gamePid/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)
  now=$(date +%s)
  samples=$((samples + 1))
  echo "soak: $((now - start)) s  rss ${rss} kB  fds $fds  (game start $starts)"
  if [ -z "$baselineRss" ]; then
    if [ $((now - startedAt)) -ge 20 ]; then
      baselineRss=$rss
      baselineFds=$fds
    fi
    return 0
  fi
  [ "$rss" -gt "$maxRss" ] && maxRss=$rss
  [ "$fds" -gt "$maxFds" ] && maxFds=$fds
  if [ $((rss - baselineRss)) -gt $k_RssBoundKb ]; then
    fail "resident memory grew from $baselineRss kB to $rss kB"
  fi
  if [ $((fds - baselineFds)) -gt $k_FdBound ]; then
    fail "open descriptors grew from $baselineFds to $fds"
  fi
}

keys=(a b c d e f g h i j k l m n o p r s t u v w x y z 0 1 2 3 4 5 6 7 8 9 Up Down Left Right Up Down
  Left Right Return Escape Tab BackSpace space Shift_L ctrl+c ctrl+d ctrl+a alt+Tab F1 F2 F3 F5 F9
  F11 Home End Page_Up Page_Down Delete minus plus comma period slash adiaeresis grave)
arrows=(Up Down Left Right)
commands=("help" "clear" "r_customwidth $((640 + RANDOM % 1400))" "r_customheight $((480 + RANDOM % 700))"
  "g_vsync 0" "g_vsync 1" "bot autopilot" "r_customwidth wide" "nosuchcommand x y")

random_action() {
  case $((RANDOM % 20)) in
    0 | 1 | 2 | 3 | 4 | 5 | 6 | 7) xdotool key --clearmodifiers "${keys[RANDOM % ${#keys[@]}]}" 2>/dev/null || true ;;
    8 | 9 | 10) xdotool key "${arrows[RANDOM % 4]}" 2>/dev/null || true ;;
    11 | 12) xdotool mousemove --window "$window" $((RANDOM % 1280)) $((RANDOM % 720)) 2>/dev/null || true ;;
    13) xdotool mousemove --window "$window" $((RANDOM % 1280)) $((RANDOM % 720)) click 1 2>/dev/null || true ;;
    14) xdotool click $((RANDOM % 2 == 0 ? 4 : 5)) 2>/dev/null || true ;;
    15) xdotool windowsize "$window" $((400 + RANDOM % 1500)) $((300 + RANDOM % 800)) 2>/dev/null || true ;;
    16 | 17)
      xdotool key grave 2>/dev/null || true
      xdotool type --delay 20 "${commands[RANDOM % ${#commands[@]}]}" 2>/dev/null || true
      xdotool key Return grave 2>/dev/null || true
      ;;
    18) xdotool key F11 2>/dev/null || true ;;
    19) xdotool key s 2>/dev/null || true ;;
  esac
}

start=$(date +%s)
end=$((start + $(awk -v m="$minutes" 'BEGIN {printf "%d", m * 60}')))
echo "soak: $minutes min with seed $seed on $DISPLAY (game: $game)"
start_game
nextSample=$(($(date +%s) + 10))
actions=0
while [ "$(date +%s)" -lt "$end" ]; do
  random_action
  actions=$((actions + 1))
  sleep 0.0$((RANDOM % 10))
  check_ended
  sanitizer_check
  check_progress
  if [ "$(date +%s)" -ge "$nextSample" ]; then
    sample
    nextSample=$((nextSample + 10))
  fi
done

check_ended
kill -TERM "$gamePid"
status=0
wait "$gamePid" || status=$?
gamePid=
sanitizer_check
[ "$status" -eq 0 ] || fail "the game ended with status $status after SIGTERM"
screenshots=$(find "$work/game/Screenshots" -name '*.png' 2>/dev/null | wc -l)
echo "soak: passed: $minutes min, $actions inputs, $starts game start(s), $samples samples," \
  "largest rss ${maxRss} kB over a baseline of ${baselineRss:-?} kB, largest fd count $maxFds" \
  "over ${baselineFds:-?}, $screenshots screenshots"
