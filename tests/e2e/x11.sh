# Helpers for end-to-end tests: a private X server and window handling without a
# window manager. Sourced by the test scripts.

start_xserver() {
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    fi
  done
  echo "no X server could be started" >&2
  return 1
}

stop_xserver() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true; }

# Waits up to $2 seconds (default 20) for a visible window whose title contains $1; prints its id.
wait_window() {
  local id
  for _ in $(seq $(( ${2:-20} * 5 ))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "window '$1' did not appear" >&2
  return 1
}

# Asks a window to close the way a window manager does (WM_DELETE_WINDOW).
close_window() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/wm_close.py" "$1"; }

# Presses keys in a window after giving it the focus.
press() {
  local window=$1; shift
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers "$@"
}

# A private home, runtime folder, program folder and X server for one test; the
# program, its folder and the log are in $bin, $work/prog and $work/out.log.
enter_sandbox() {
  bin=$(realpath "$1")
  work=$(mktemp -d)
  # Only a started program is killed: "kill 0" would end the whole test run.
  trap 'if [ -n "${app:-}" ]; then kill "$app" 2>/dev/null || true; fi; stop_xserver; cat "$work/out.log" >&2 2>/dev/null; rm -rf "$work"' EXIT
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
  mkdir -p "$HOME/Desktop" "$work/prog" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  start_xserver
  cd "$work/prog"
}
