# Sourced by test.sh and Tools/Soak/run.sh: start_own_display starts an Xvfb display of the
# caller's own (Xvfb picks a free number and tells it through -displayfd), exports DISPLAY and sets
# xvfbPid; stop_own_display ends it.
start_own_display() {
  local displayFile
  displayFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$displayFile" 2>/dev/null &
  xvfbPid=$!
  for _ in $(seq 100); do
    [ -s "$displayFile" ] && break
    sleep 0.1
  done
  if ! [ -s "$displayFile" ]; then
    rm -f "$displayFile"
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$displayFile")"
  rm -f "$displayFile"
}

stop_own_display() {
  kill "$xvfbPid" 2>/dev/null || true
  wait "$xvfbPid" 2>/dev/null || true
}
