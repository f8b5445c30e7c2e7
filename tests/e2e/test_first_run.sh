#!/usr/bin/env bash
# The real program's first run in an empty folder: folders, read-me, INI, desktop
# launcher, window title; closed through the close question; settings written.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11.sh"
enter_sandbox "$1"
QT_QPA_PLATFORM=xcb "$bin" >"$work/out.log" 2>&1 &
app=$!

welcome=$(wait_window "BIENVENIDO")
press "$welcome" Return
main=$(wait_window "Miravela 11.23")
title=$(xdotool getwindowname "$main")
[ "$title" = "Miravela 11.23" ] || { echo "title: '$title'"; exit 1; }

for folder in "Imágenes/C1" Recursos OLMiX Alarmas Fondos Objetos/C2 Objetos/C3 Objetos/C4 Sonidos; do
  [ -d "$folder" ] || { echo "missing folder $folder"; exit 1; }
done
[ "$(wc -l < "Miravela Léame.TXT")" -eq 62 ] || { echo "read-me is not 62 lines"; exit 1; }
head -n 1 "Miravela Léame.TXT" | grep -q $'^Miravela 11.23\r$'
printf '[TAGCAM]\r\nC1\r\n[DIRIMG]\r\n\r\n[DIRALR]\r\n\r\n[DIRSND]\r\n\r\n[DIRFND]\r\n\r\n[PLUGIN]\r\n\r\n[EFESND]\r\n7\r\n[RESJPG]\r\n75\r\n' > "$work/ini"
cmp "$work/ini" Recursos/Miravela.INI
grep -q "^Path=$work/prog\$" "$HOME/Desktop/Miravela.desktop"
[ ! -e Recursos/Miravela.PWC ] || { echo "settings written before closing"; exit 1; }

[ -n "${MIRAVELA_SHOT:-}" ] && import -window root "$MIRAVELA_SHOT"

close_window "$main"
question=$(wait_window "Cerrar")
press "$question" shift+Tab space   # from the default "No" to "Sí"
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then echo "program did not end"; exit 1; fi
wait "$app" || { echo "exit status $?"; cat "$work/out.log"; exit 1; }

for file in PWC WCM; do
  [ "$(stat -c %s "Recursos/Miravela.$file")" -eq 46 ] || { echo "$file missing or wrong size"; exit 1; }
done
echo "first run ok"
