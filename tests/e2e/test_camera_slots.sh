#!/usr/bin/env bash
# Two instances side by side from one program folder: the main program with a copy
# installed in Objetos/C3 that watches its own source. The main program shows the
# buttons C1 and C3, starts the copy from C3 in the copy's folder, and each instance
# writes its photographs into its own folder of the main program's Imágenes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11.sh"
enter_sandbox "$1"
copy_pid=
# Only pids that were started are killed: "kill 0" would end the whole test run.
trap 'for p in ${app:-} ${copy_pid:-}; do kill "$p" 2>/dev/null || true; done; stop_xserver; cat "$work/out.log" >&2 2>/dev/null; rm -rf "$work"' EXIT

mkdir -p Objetos/C3/Recursos
ln -s "$bin" Objetos/C3/Miravela
# A source that changes all over the picture all the time, so every frame is an alarm.
printf 'Fractal = lavfi:mandelbrot=size=320x240:rate=10\n' > Objetos/C3/Recursos/Miravela.CAM

QT_QPA_PLATFORM=xcb "$bin" --demo >"$work/out.log" 2>&1 &
app=$!
press "$(wait_window "BIENVENIDO")" Return
main=$(wait_window "Miravela 11.23")

# The button bar: pale green buttons of 29 pixels, two pixels apart, hidden ones taking no
# room, at the bottom of the window. Button 0's column at x = 12 finds the bar's bottom
# edge; the row three pixels above it runs through every button below its glyph.
import -window "$main" "$work/main.png"
rest='#C0FFC0'
bottom=$(convert "$work/main.png" -crop 1x+12+0 +repage txt:- | awk -v c="$rest" 'index($0, c) { split($1, p, "[,:]"); y = p[2] } END { print y }')
[ -n "$bottom" ] || { echo "no button bar found"; exit 1; }
bar_y=$(( bottom - 27 ))
# One row above the buttons' lower edge, below their drawings: each resting button is one run.
runs=$(convert "$work/main.png" -crop x1+0+$(( bottom - 1 )) +repage txt:- |
  awk -v c="$rest" '{ on = index($0, c) > 0; if (on && !was) n++; was = on } END { print n + 0 }')
# Ten buttons show at rest (the alarm disarmed, no camera slot); C1 and C3 add two.
[ "$runs" -eq 12 ] || { echo "expected 12 buttons on the bar, found $runs"; exit 1; }

# Button 0 sits at the left end of the bar; the move comes twice, as the bar highlights
# on the second movement. The main program connects before the copy's window can cover it.
click_button() { # window, visible position on the bar
  local x=$(( 8 + $2 * 32 + 14 )) y=$(( bar_y + 14 ))
  xdotool mousemove --window "$1" "$x" "$y" sleep 0.2 mousemove --window "$1" $(( x + 1 )) $(( y + 1 )) click 1
}
click_button "$main" 0
# Button 10 (C3) is the ninth shown, at position 8: 0 1 2 3 5 6 7 8 10 13 ...
click_button "$main" 8
copy=$(wait_window "(C3)")
copy_pid=$(xdotool getwindowpid "$copy")
[ "$(readlink "/proc/$copy_pid/cwd")" = "$work/prog/Objetos/C3" ] || { echo "copy runs in $(readlink "/proc/$copy_pid/cwd")"; exit 1; }
[ "$(xdotool getwindowname "$copy")" = "Miravela 11.23  (C3)" ] || { echo "copy title: $(xdotool getwindowname "$copy")"; exit 1; }
sleep 1
click_button "$copy" 0

today=$(date +%Y-%m-%d)
for _ in $(seq 90); do
  ls "Imágenes/C1/$today/"*.jpg "Imágenes/C3/$today/"*.jpg >/dev/null 2>&1 && break
  sleep 0.5
done
for slot in C1 C3; do
  photo=$(ls "Imágenes/$slot/$today/"*.jpg 2>/dev/null | head -n 1)
  [ -n "$photo" ] || { echo "no photograph in Imágenes/$slot/$today"; exit 1; }
  identify "$photo" >/dev/null
done
[ -z "$(find Objetos/C3 -name '*.jpg')" ] || { echo "the copy wrote photographs into its own folder"; exit 1; }
identify "$(ls "Imágenes/C3/$today/"*.jpg | head -n 1)" | grep -q "JPEG 324x244" ||
  { echo "the copy's photograph is not its source's size"; identify "Imágenes/C3/$today/"*.jpg | head -n 1; exit 1; }
echo "camera slots ok: $(ls "Imágenes/C1/$today" | wc -l) photographs in C1, $(ls "Imágenes/C3/$today" | wc -l) in C3"
