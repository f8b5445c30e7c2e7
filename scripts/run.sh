#!/usr/bin/env bash
# Sets up, builds and starts Miravela with the demo camera in its program folder
# (MIRAVELA_DIR, by default ~/Miravela). Extra arguments go to the program.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
bash "$src/scripts/setup.sh"
bash "$src/scripts/build.sh" release Miravela
folder=${MIRAVELA_DIR:-$HOME/Miravela}
mkdir -p "$folder"
cd "$folder"
echo "Miravela: program folder $folder"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running inside a virtual X server (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$src/build/Miravela" --demo "$@"
fi
exec "$src/build/Miravela" --demo "$@"
