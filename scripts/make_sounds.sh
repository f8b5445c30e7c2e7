#!/usr/bin/env bash
# Makes the sounds the program ships (alarm sounds, background effects, the voice clips
# of sensor auto-adjust) and the small tone the sound tests play, from sox and
# espeak-ng. The results are committed, so building the program needs neither tool;
# run this again only to change a sound.
#   scripts/make_sounds.sh            writes assets/sounds/{Alarmas,Sonidos,OLMiX}
#                                     and tests/sound/data/tono.mp3
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
assets=$root/assets/sounds
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

rate=22050
# -R: the same noise on every run, so a sound only changes when this script does.
synth() { sox -R -n -r "$rate" -c 1 -b 16 "$@"; }

# Low-bitrate mono MP3, peak a little under full scale.
mp3() {
  local input=$1 output=$2
  mkdir -p "$(dirname "$output")"
  sox -R "$input" -r "$rate" -c 1 -C 32 "$output" norm -2
}

say() {  # voice, speed, pitch, text, output wav
  espeak-ng -v "$1" -s "$2" -p "$3" -w "$5" "$4"
}

make_alarms() {
  local d=$assets/Alarmas
  # Siren: a rising and falling sweep, four times over; each sweep eased in and out so
  # the joins do not click.
  synth "$tmp/up.wav" synth 0.7 sine 650:1350 fade q 0.005 0.7 0.005
  synth "$tmp/down.wav" synth 0.7 sine 1350:650 fade q 0.005 0.7 0.005
  sox "$tmp/up.wav" "$tmp/down.wav" "$tmp/siren.wav" repeat 3 fade q 0.02 -0 0.05
  mp3 "$tmp/siren.wav" "$d/Sirena.mp3"

  # Bell: three inharmonic partials dying away, struck three times.
  synth "$tmp/p1.wav" synth 2 sine 523 fade l 0.005 2 1.99
  synth "$tmp/p2.wav" synth 2 sine 1308 fade l 0.005 1.2 1.19 pad 0 0.8
  synth "$tmp/p3.wav" synth 2 sine 2092 fade l 0.005 0.6 0.59 pad 0 1.4
  sox -m "$tmp/p1.wav" "$tmp/p2.wav" "$tmp/p3.wav" "$tmp/bell.wav" repeat 2
  mp3 "$tmp/bell.wav" "$d/Campana.mp3"

  say es 150 40 "Atención. Esta zona está vigilada por cámara. Ha sido detectado. Abandone la zona inmediatamente." \
    "$tmp/warning.wav"
  mp3 "$tmp/warning.wav" "$d/Aviso.mp3"
}

make_effects() {
  local d=$assets/Sonidos
  # Footsteps: short dull thumps, heel then toe, walking past.
  synth "$tmp/heel.wav" synth 0.06 brownnoise lowpass 400 fade q 0.005 0.06 0.05 pad 0 0.08
  synth "$tmp/toe.wav" synth 0.04 brownnoise lowpass 700 gain -6 fade q 0.003 0.04 0.035 pad 0 0.38
  sox "$tmp/heel.wav" "$tmp/toe.wav" "$tmp/step.wav"
  sox "$tmp/step.wav" "$tmp/steps.wav" repeat 11 fade t 1 -0 1.5
  mp3 "$tmp/steps.wav" "$d/Pasos.mp3"

  # Radio: a speaker heard through a small set, with its hiss.
  say es 175 50 "Buenas noches. Les ofrecemos el boletín informativo de las diez. El tiempo para mañana: \
cielos despejados en el norte, algunas nubes en el sur y temperaturas suaves. En deportes, empate en el partido de esta tarde." \
    "$tmp/news.wav"
  sox "$tmp/news.wav" -r "$rate" "$tmp/news_band.wav" sinc 300-3200 gain -4
  local len
  len=$(soxi -D "$tmp/news_band.wav")
  synth "$tmp/hiss.wav" synth "$len" pinknoise gain -32
  sox -m "$tmp/news_band.wav" "$tmp/hiss.wav" "$tmp/radio.wav"
  mp3 "$tmp/radio.wav" "$d/Radio.mp3"

  # Television: two voices of a film in another room.
  say es-419 160 70 "¿Dónde estabas anoche? Te estuve esperando hasta tarde." "$tmp/tv1.wav"
  say es 150 35 "Salí a caminar. Necesitaba pensar un poco, nada más." "$tmp/tv2.wav"
  sox "$tmp/tv1.wav" "$tmp/tv2.wav" -r "$rate" "$tmp/tv_voices.wav" gain -4 reverb 40 lowpass 2500
  mp3 "$tmp/tv_voices.wav" "$d/Televisor.mp3"
}

make_voice() {
  local d=$assets/OLMiX
  local texts=(
    "Autoajuste de sensores activado."
    "Sensores en modo automático."
    "Ajuste automático en marcha."
    "Autoajuste de sensores desactivado."
    "Sensores en modo manual."
  )
  local i
  for i in 1 2 3 4 5; do
    say es 155 45 "${texts[$((i - 1))]}" "$tmp/voice$i.wav"
    mp3 "$tmp/voice$i.wav" "$d/OLMiX-$i.mp3"
  done
}

make_test_tone() {
  # A 440 Hz tone: the sound tests tell it from their own tones by its pitch.
  synth "$tmp/tone.wav" synth 0.8 sine 440 gain -6
  mp3 "$tmp/tone.wav" "$root/tests/sound/data/tono.mp3"
}

make_alarms
make_effects
make_voice
make_test_tone
for f in "$assets"/*/*.mp3 "$root/tests/sound/data/tono.mp3"; do
  printf '%-48s %6.1f s %5d bytes\n' "${f#"$root"/}" "$(soxi -D "$f")" "$(stat -c %s "$f")"
done
