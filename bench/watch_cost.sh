#!/usr/bin/env bash
# What watching one camera costs, beside Motion from Debian on the same stream: a
# 1280x720 MJPEG clip at 30 frames a second served over HTTP on 127.0.0.1 by ffmpeg,
# a still noisy scene and the same scene with a figure crossing it all the time. For
# each program and scene: CPU share of one core over the window and peak resident
# memory, plus the photographs written in it; then the idle program without a camera.
#   bench/watch_cost.sh [MIRAVELA_BINARY] [SECONDS]
# Miravela runs with its default settings in a program folder of its own, under a
# private X server, and connects at start as a user's saved choice makes it do: a first
# run picks the stream and presses the connect button, and closes, saving the choice.
# Motion reads all 30 frames (netcam_params capture_rate=30) and saves pictures, with
# its web ports off. Needs ffmpeg, motion, Xvfb and xdotool.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(realpath "${1:-$here/../build/Miravela}")
seconds=${2:-30}
settle=${WATCH_SETTLE:-10}  # seconds after connecting before the window opens (Motion starts slowly)
for tool in ffmpeg motion Xvfb xdotool ss; do
  command -v "$tool" >/dev/null || { echo "watch_cost: $tool is missing" >&2; exit 2; }
done
source "$here/../tests/e2e/x11.sh"
# A server that outlives its clients: Xvfb resets when the last one leaves, and a
# program started in that moment finds no display.
start_xserver() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  done
  echo "watch_cost: no X server could be started" >&2
  return 1
}

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  stop_xserver
  rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME/Desktop" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
start_xserver

# The clips: one still picture under sensor-like noise, and the same with a large
# figure walking across it and back.
ffmpeg -hide_banner -loglevel error -f lavfi -i "testsrc2=size=1280x720" -frames:v 1 "$work/room.png"
scene() {
  local graph="[0:v]noise=alls=6:allf=t+u[room]"
  [ "$1" = moving ] && graph="[0:v][1:v]overlay=x='abs(mod(t*500,1920)-960)':y=120,noise=alls=6:allf=t+u[room]"
  ffmpeg -hide_banner -loglevel error -loop 1 -framerate 30 -i "$work/room.png" \
    -f lavfi -i "color=c=0x703020:size=320x480:rate=30" -filter_complex "$graph" -map "[room]" \
    -t 8 -c:v mjpeg -pix_fmt yuvj422p -q:v 5 "$work/$1.mkv"
}
scene still
scene moving

port=$(( 20000 + RANDOM % 20000 ))
url="http://127.0.0.1:$port/video.mjpg"
# The clip as a plain run of JPEG pictures (the form both programs read over HTTP),
# looping in real time, to one viewer at a time; a viewer that hangs up (a
# first look at the stream, say) finds the server back at once.
serve() {
  (
    trap 'kill "$one" 2>/dev/null; exit 0' TERM
    while :; do
      ffmpeg -hide_banner -loglevel error -re -stream_loop -1 -i "$work/$1.mkv" -c copy \
        -f mjpeg -listen 1 "$url" >>"$work/serve.log" 2>&1 &
      one=$!
      wait "$one" || true
    done
  ) &
  server=$!
  pids+=("$server")
  sleep 0.5
}
connected() {
  for _ in $(seq 150); do
    [ -n "$(ss -Htn state established "( sport = :$port )")" ] && return 0
    sleep 0.1
  done
  echo "watch_cost: nobody connected to $url" >&2
  return 1
}
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
peak_mb() { awk '/^VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
count() { find "$1" -name '*.jpg' 2>/dev/null | wc -l; }
# Prints "cpu% peakMB photos" for the process $1 over the window, photographs in $2.
measure() {
  local before photos
  sleep "$settle"
  before=$(ticks "$1")
  photos=$(count "$2")
  sleep "$seconds"
  kill -0 "$1" 2>/dev/null || { echo "watch_cost: the program ended early" >&2; return 1; }
  awk -v a="$before" -v b="$(ticks "$1")" -v hz="$(getconf CLK_TCK)" -v s="$seconds" -v mb="$(peak_mb "$1")" \
    -v p="$(( $(count "$2") - photos ))" 'BEGIN { printf "%.1f %s %d\n", (b - a) * 100 / hz / s, mb, p }'
}

prog=$work/miravela
mkdir -p "$prog/Recursos"
printf 'Banco = %s\n' "$url" >"$prog/Recursos/Miravela.CAM"
start_miravela() {
  (cd "$prog" && QT_QPA_PLATFORM=xcb exec "$bin" >>"$work/miravela.log" 2>&1) &
  app=$!
  pids+=("$app")
}

# The first run: the stream is the camera in the list (cameras plugged into this
# machine come first: unplug them), button 0 connects it, and the close saves it.
serve still
start_miravela
press "$(wait_window BIENVENIDO)" Return
main=$(wait_window "Miravela 11.23")
xdotool mousemove --window "$main" 22 318 sleep 0.2 mousemove --window "$main" 23 319 click 1
connected
close_window "$main"
press "$(wait_window Cerrar)" shift+Tab space
wait "$app" || true
stop "$server"

row() { printf "%-9s %-7s %11s %13s %8s\n" "$@"; }
row program scene "cpu %/core" "peak RSS MB" photos
for what in still moving; do
  serve "$what"
  start_miravela
  connected
  # shellcheck disable=SC2046
  row Miravela "$what" $(measure "$app" "$prog/Imágenes")
  stop "$app"
  stop "$server"

  serve "$what"
  mkdir -p "$work/motion/$what"
  cat >"$work/motion/$what.conf" <<EOF
daemon off
setup_mode off
log_level 4
target_dir $work/motion/$what
netcam_url $url
netcam_params capture_rate=30
width 1280
height 720
picture_output on
movie_output off
webcontrol_port 0
stream_port 0
EOF
  motion -n -c "$work/motion/$what.conf" >"$work/motion.log" 2>&1 &
  motion=$!
  pids+=("$motion")
  connected
  # shellcheck disable=SC2046
  row Motion "$what" $(measure "$motion" "$work/motion/$what")
  stop "$motion"
  stop "$server"
done

# The idle program: a new folder, no camera connected (the welcome came with the first run).
idle=$work/idle
mkdir -p "$idle"
(cd "$idle" && QT_QPA_PLATFORM=xcb exec "$bin" >>"$work/idle.log" 2>&1) &
app=$!
pids+=("$app")
wait_window "Miravela 11.23" >/dev/null
sleep "$settle"
idle_mb=$(peak_mb "$app")
stop "$app"

row Miravela idle - "$idle_mb" -
echo "window ${seconds} s after ${settle} s of settling; Motion reads all frames (capture_rate=30)"
