#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Miravela needs.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libavdevice-dev libavformat-dev libavcodec-dev libavutil-dev libswscale-dev
  libsdl2-dev libsdl2-mixer-dev
  libcurl4-openssl-dev
  # run
  fonts-dejavu-core xdg-utils
  # tests and benchmarks
  clang-format ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs imagemagick ffmpeg
  xvfb xdotool x11-utils
  python3-aiosmtpd openssl locales
  # remaking the shipped sounds (scripts/make_sounds.sh)
  sox libsox-fmt-mp3 espeak-ng
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Numbers are tested under a locale whose decimal separator is a comma.
if ! locale -a 2>/dev/null | grep -qix 'es_ES\.utf-\?8'; then
  $sudo localedef -i es_ES -f UTF-8 es_ES.UTF-8
fi
