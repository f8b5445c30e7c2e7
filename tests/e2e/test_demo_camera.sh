#!/usr/bin/env bash
# The run command's road on a machine without a camera: the demo camera is in the
# list, button 0 connects it, the preview moves, and the figure that walks in
# becomes a stamped photograph in today's folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11.sh"
enter_sandbox "$1"
QT_QPA_PLATFORM=xcb "$bin" --demo >"$work/out.log" 2>&1 &
app=$!
press "$(wait_window "BIENVENIDO")" Return
main=$(wait_window "Miravela 11.23")

preview() { import -window root -crop 324x244+$(( x + 8 ))+$(( y + 8 )) "$1"; }
eval "$(xdotool getwindowgeometry --shell "$main" | sed 's/^X=/x=/; s/^Y=/y=/')"
preview "$work/before.png"
# Button 0 sits at the left end of the bar, below the preview, the camera list and the help line.
xdotool mousemove --window "$main" 22 318 sleep 0.2 mousemove --window "$main" 23 319 click 1

today=$(date +%Y-%m-%d)
for _ in $(seq 60); do
  ls "Imágenes/C1/$today/"*.jpg >/dev/null 2>&1 && break
  sleep 0.5
done
preview "$work/after.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 10000 ] || { echo "the preview did not change after connecting ($changed pixels)"; exit 1; }

photo=$(ls "Imágenes/C1/$today/"*.jpg 2>/dev/null | head -n 1)
[ -n "$photo" ] || { echo "no photograph in Imágenes/C1/$today"; cat "$work/out.log"; exit 1; }
case "$(basename "$photo")" in
  "$today ("[0-9][0-9][0-9][0-9][0-9][0-9]") 1.jpg") ;;
  *) echo "unexpected name: $photo"; exit 1 ;;
esac
djpeg "$photo" > "$work/photo.ppm"
identify "$photo" | grep -q "JPEG 644x484"
echo "demo camera ok: $photo"
