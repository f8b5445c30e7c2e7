#!/bin/sh
# One benchmark run: our encoder against libjpeg-turbo at quality 75 without chroma
# subsampling (optimised tables, float DCT), as ratios per picture.
#   bench_jpeg.sh BENCH_BINARY IMAGE_DIR [ROUNDS] [REPS]
# IMAGE_DIR as made by make_images.sh. Each round runs every configuration once (each
# in its own process); the figures are the medians over the rounds.
#   default   : libjpeg-turbo as a program calls it by default
#   strongest : the same in a process that keeps freed memory (glibc tunables)
#   fixed     : libjpeg-turbo without optimize_coding, strongest configuration
# Ratios: speed = their time / our time (above 1: we are faster); size = our bytes /
# theirs; dPSNR = our PSNR - theirs (dB).
set -e
bin=${1:?usage: bench_jpeg.sh BENCH_BINARY IMAGE_DIR [ROUNDS] [REPS]}
dir=${2:?usage: bench_jpeg.sh BENCH_BINARY IMAGE_DIR [ROUNDS] [REPS]}
rounds=${3:-3}
reps=${4:-9}
keep=glibc.malloc.mmap_threshold=4294967295:glibc.malloc.trim_threshold=4294967295
out=$(mktemp -d); trap 'rm -rf "$out"' EXIT
i=1
while [ "$i" -le "$rounds" ]; do
  "$bin" ours "$dir" "$reps" 2>/dev/null | sed "s/^/ours /" >>"$out/all"
  "$bin" libjpeg "$dir" "$reps" 2>/dev/null | sed "s/^/default /" >>"$out/all"
  GLIBC_TUNABLES=$keep "$bin" libjpeg "$dir" "$reps" 2>/dev/null | sed "s/^/strongest /" >>"$out/all"
  GLIBC_TUNABLES=$keep "$bin" libjpeg-fixed "$dir" "$reps" 2>/dev/null | sed "s/^/fixed /" >>"$out/all"
  i=$((i + 1))
done
printf "%-22s %8s %8s %8s %8s | %9s %8s %8s | %7s %7s\n" picture "ours ms" default strong fixed \
  "x default" "x strong" "x fixed" size dPSNR
awk '
  { key = $1 " " $2; n[key]++; t[key, n[key]] = $3; bytes[key] = $4; psnr[key] = $5; names[$2] = 1 }
  function median(key,   i, j, m, v, tmp) {
    m = n[key]; for (i = 1; i <= m; i++) v[i] = t[key, i]
    for (i = 1; i <= m; i++) for (j = i + 1; j <= m; j++) if (v[j] < v[i]) { tmp = v[i]; v[i] = v[j]; v[j] = tmp }
    return (m % 2) ? v[(m + 1) / 2] : (v[m / 2] + v[m / 2 + 1]) / 2
  }
  END {
    for (p in names) {
      o = median("ours " p); d = median("default " p); s = median("strongest " p); f = median("fixed " p)
      printf "%-22s %8.2f %8.2f %8.2f %8.2f | %9.2f %8.2f %8.2f | %7.4f %+7.3f\n", p, o, d, s, f,
             d / o, s / o, f / o, bytes["ours " p] / bytes["default " p], psnr["ours " p] - psnr["default " p]
    }
  }' "$out/all" | sort
