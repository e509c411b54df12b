#!/usr/bin/env bash
# The Debian package as a player gets it: built by scripts/package.sh, unpacked with dpkg-deb into
# a folder of its own, and run from there.
#   package-tests.sh build|contents|validators|launcher|endtoend <work folder>
# "build" makes <work folder>/vorl_*.deb and unpacks it into <work folder>/root; the other steps
# use what it left there.
set -euo pipefail
step=$1
work=$2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
root=$work/root
vorl=$root/usr/bin/vorl
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

expect_match() { # text, extended regular expression, what
  if ! grep -Eq -- "$2" <<<"$1"; then
    fail "$3: expected /$2/ in:"$'\n'"$1"
  fi
}

package_file() {
  ls "$work"/vorl_*_amd64.deb
}

# Waits up to $2 seconds for the command in $1 to succeed.
wait_for() {
  local deadline=$((SECONDS + $2))
  until eval "$1"; do
    if ((SECONDS > deadline)); then
      return 1
    fi
    sleep 0.2
  done
}

alive() {
  [ -e "/proc/$1" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null
}

case $step in
build)
  # The build folder stays for the next run; what it made is made again.
  rm -rf "$root" "$work"/vorl_*.deb && mkdir -p "$work"
  deb=$("$source_dir/scripts/package.sh" "$work/build" | tail -n1)
  cp "$deb" "$work/"
  dpkg-deb -x "$(package_file)" "$root"
  echo "built and unpacked $(basename "$(package_file)")"
  ;;

contents)
  deb=$(package_file)
  version_output=$("$vorl" --version)
  expect_match "$version_output" '^VORL 1\.0\.0\.0 \(Build [0-9]{14}, commit ([0-9a-f]{10}|unknown)\)$' "--version, first line"
  expect_match "$version_output" '^Quarne Engine Alpha 0\.5\.0$' "--version, engine line"
  version=$(sed -nE '1s/^VORL ([0-9.]+) .*/\1/p' <<<"$version_output")
  [ "$(basename "$deb")" = "vorl_${version}_amd64.deb" ] || fail "package file $(basename "$deb") does not carry version $version"

  help_output=$("$vorl" --help) || fail "--help exits with $?"
  for word in --data-dir --simulate --help --version gamedata.cfg gamelog.txt 'Exit status'; do
    expect_match "$help_output" "$word" "--help"
  done
  set +e
  "$vorl" --no-such-option >"$work/out.txt" 2>"$work/err.txt"
  status=$?
  set -e
  [ "$status" -eq 2 ] || fail "an unknown option exits with $status, not 2"
  [ ! -s "$work/out.txt" ] || fail "an unknown option prints on standard output"
  [ "$(cat "$work/err.txt")" = "vorl: unknown option '--no-such-option'
Try 'vorl --help' for more information." ] || fail "an unknown option prints: $(cat "$work/err.txt")"

  listing=$(dpkg-deb -c "$deb" | awk '{print $1, $6}')
  for path in ./usr/bin/vorl ./usr/libexec/vorl/vorl-launcher ./usr/libexec/vorl/vorl-scripthost; do
    expect_match "$listing" "^-rwxr-xr-x ${path//./\\.}\$" "executable in the package"
  done
  for path in ./usr/share/applications/com.kestrova.vorl.desktop \
    ./usr/share/metainfo/com.kestrova.vorl.metainfo.xml ./usr/share/man/man6/vorl.6.gz \
    ./usr/share/doc/vorl/copyright ./usr/share/doc/vorl/changelog.gz; do
    expect_match "$listing" "^-rw-r--r-- ${path//./\\.}\$" "file in the package"
  done
  for size in 16 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/vorl.png
    [ "$(identify -format '%wx%h %[channels]' "$icon" 2>/dev/null)" = "${size}x${size} srgba" ] ||
      fail "icon $icon: $(identify -format '%wx%h %[channels]' "$icon" 2>&1)"
  done
  # The largest icon is the window icon's drawing: the snake's green head on a clear background.
  corner=$(convert "$root/usr/share/icons/hicolor/256x256/apps/vorl.png" -format '%[fx:p{0,255}.a]' info:)
  centre=$(convert "$root/usr/share/icons/hicolor/256x256/apps/vorl.png" -format '%[fx:p{128,100}.g>p{128,100}.r && p{128,100}.a==1]' info:)
  [ "$corner" = 0 ] && [ "$centre" = 1 ] || fail "the 256 px icon is not the snake's head (corner alpha $corner, green centre $centre)"
  zcat "$root/usr/share/man/man6/vorl.6.gz" | grep -qF -- '.BI \-\-data\-dir " DIR"' || fail "the manual page lacks --data-dir"
  for file in records.cfg Scripts/; do
    zcat "$root/usr/share/man/man6/vorl.6.gz" | grep -qxF -- ".I $file" || fail "the manual page lacks $file"
  done
  grep -q 'All rights reserved' "$root/usr/share/doc/vorl/copyright" || fail "copyright: no notice of the game"
  for library in SDL2 Lua 'Dear ImGui' FreeType fontconfig; do
    grep -q "LIBRARY: $library" "$root/usr/share/doc/vorl/copyright" || fail "copyright: no licence of $library"
  done

  control=$(dpkg-deb -f "$deb")
  expect_match "$control" '^Section: games$' "control"
  expect_match "$control" '^Architecture: amd64$' "control"
  expect_match "$control" '^Depends: .*libsdl2-2\.0-0 \(>= ' "control: dependencies from the binary"
  expect_match "$control" '^Depends: .*liblua5\.4-0 \(>= ' "control: dependencies from the binary"
  expect_match "$control" '^Depends: .*libgl1' "control: the OpenGL library SDL opens at run time"
  expect_match "$control" '^Description: single-player Snake game$' "control"
  expect_match "$control" '^ VORL is a game of Snake' "control: long description"
  # Nothing of the source tree is needed: every data file is inside the program.
  ! grep -aq "$source_dir" "$vorl" || fail "the program names the source folder $source_dir"
  ;;

validators)
  desktop-file-validate "$root/usr/share/applications/com.kestrova.vorl.desktop" || fail "desktop-file-validate"
  appstreamcli validate --no-net --explain "$root/usr/share/metainfo/com.kestrova.vorl.metainfo.xml" ||
    fail "appstreamcli validate"
  # Lintian refuses to run as root without this; errors are "E:" lines.
  lintian_output=$(lintian --allow-root --tag-display-limit 0 "$(package_file)" 2>&1) || true
  echo "$lintian_output"
  ! grep -q '^E:' <<<"$lintian_output" || fail "lintian reports errors"
  ;;

launcher)
  # The launcher as installed runs /usr/bin/vorl; here it runs the unpacked one. --simulate
  # enters the data folder like the game does and ends without a window.
  home=$work/home
  rm -rf "$home" "$work/xdg" && mkdir -p "$home"
  sed "s|\"/usr/bin/vorl\"|\"$vorl\"|" "$root/usr/libexec/vorl/vorl-launcher" >"$work/launcher"
  grep -q "\"$vorl\"" "$work/launcher" || fail "the launcher does not run /usr/bin/vorl"
  exec_line=$(grep '^Exec=' "$root/usr/share/applications/com.kestrova.vorl.desktop")
  [ "$exec_line" = "Exec=/usr/libexec/vorl/vorl-launcher" ] || fail "desktop entry: $exec_line"
  run_launcher() { # expected data folder, environment settings...
    local expected=$1
    shift
    (cd "$work" && env -u XDG_DATA_HOME HOME="$home" "$@" sh "$work/launcher" --simulate --games 1 --grid 0 >/dev/null) ||
      fail "launcher with $*: exit status $?"
    [ -d "$expected" ] || fail "launcher with $*: no data folder $expected"
    rm -rf "$expected"
  }
  run_launcher "$home/.local/share/vorl"
  run_launcher "$home/.local/share/vorl" XDG_DATA_HOME=
  run_launcher "$home/.local/share/vorl" XDG_DATA_HOME=relative/path
  run_launcher "$work/xdg/data/vorl" XDG_DATA_HOME="$work/xdg/data"
  [ ! -e "$work/relative" ] || fail "the launcher used a relative XDG_DATA_HOME"
  # A Lua bot runs in the script host the package installs beside the launcher, found from the
  # program's own place; one that loops is stopped by its wait.
  bots=$work/bots
  rm -rf "$bots" && mkdir -p "$bots/Scripts"
  printf 'function decide(board)\n  if board.snake[1].x < board.columns - 1 then return "right" end\n  return "down"\nend\n' >"$bots/Scripts/edge.lua"
  printf 'function decide(board)\n  setmetatable({}, {__gc = function() while true do end end})\n  collectgarbage()\nend\n' >"$bots/Scripts/stuck.lua"
  out=$(cd "$bots" && env -u VORL_SCRIPT_HOST "$vorl" --simulate --bot edge --grid 0 --games 1 2>&1) ||
    fail "a Lua bot from the package: exit status $?"
  expect_match "$out" '^grid=6x6 games=1 wins=0 stopped=0 ' "a Lua bot from the package"
  out=$(cd "$bots" && env -u VORL_SCRIPT_HOST "$vorl" --simulate --bot stuck --grid 0 --games 1 2>&1) ||
    fail "a stuck Lua bot from the package: exit status $?"
  expect_match "$out" 'Scripts/stuck\.lua: stopped: no answer within 50 ms' "a stuck Lua bot from the package"
  ;;

endtoend)
  [ -n "${DISPLAY:-}" ] || { echo "no X display" >&2; exit 1; }
  rm -rf "$work/e2e" && mkdir -p "$work/e2e/start"
  start=$work/e2e/start
  data=$work/e2e/data/deeper # neither exists yet
  cd "$start"
  # A relative name: the folder is found from where the game starts, and a restarted game, which
  # is not given the option again, stays in it.
  "$vorl" --data-dir ../data/deeper >"$work/e2e/stdout.txt" 2>&1 &
  pid=$!
  log=$data/gamelog.txt
  ready='[ "$(grep -c "==== VORL successfully initialised ====" "$log" 2>/dev/null)" -ge'
  wait_for "$ready 1 ]" 60 || { fail "the game did not start: $(cat "$work/e2e/stdout.txt")"; kill -KILL $pid; exit 1; }
  wait_for 'window=$(xdotool search --onlyvisible --pid $pid 2>/dev/null | head -n1); [ -n "$window" ]' 30 ||
    fail "no window"
  timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true
  # The desktop ties the window to its menu entry (and icon) through the window's class.
  wm_class=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/com.kestrova.vorl.desktop")
  [ "$(xprop -id "$window" WM_CLASS)" = "WM_CLASS(STRING) = \"$wm_class\", \"$wm_class\"" ] ||
    fail "window class $(xprop -id "$window" WM_CLASS), desktop entry $wm_class"
  xdotool key --delay 60 grave
  sleep 0.5
  xdotool type --delay 60 restart
  xdotool key Return
  set +e
  wait $pid
  status=$?
  set -e
  [ "$status" -eq 0 ] || fail "the restarted game ended with $status"
  new_pid=$(sed -nE 's/.*Restart successful, current PID: [0-9]+, new PID: ([0-9]+).*/\1/p' "$log" | tail -n1)
  if [ -z "$new_pid" ]; then
    fail "no restart in the log"
  else
    wait_for "$ready 2 ]" 60 || fail "the new instance did not start in the data folder"
    [ "$(readlink "/proc/$new_pid/cwd")" = "$data" ] || fail "the new instance works in $(readlink "/proc/$new_pid/cwd")"
    kill -TERM "$new_pid"
    wait_for "! alive $new_pid" 30 || { fail "SIGTERM did not end the game"; kill -KILL "$new_pid"; }
  fi
  grep -q '^set grid_mode ' "$data/gamedata.cfg" || fail "no settings written in the data folder"
  [ "$(grep -c 'Exit code: 0' "$log")" -eq 2 ] || fail "the log in the data folder lacks the two exits: $(tail -n3 "$log")"
  [ -z "$(ls -A "$start")" ] || fail "files in the folder the game was started in: $(ls -A "$start")"

  # A data folder that cannot be made: one line naming it, exit status 73, nothing started.
  touch "$work/e2e/a-file"
  set +e
  message=$("$vorl" --data-dir "$work/e2e/a-file/data" 2>&1)
  status=$?
  set -e
  [ "$status" -eq 73 ] || fail "an impossible data folder exits with $status"
  [ "$message" = "vorl: cannot use the data folder \"$work/e2e/a-file/data\": cannot create the folder \"$work/e2e/a-file/data\": Not a directory" ] ||
    fail "an impossible data folder prints: $message"
  ;;

*)
  echo "unknown step $step" >&2
  exit 2
  ;;
esac

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package $step: passed"
