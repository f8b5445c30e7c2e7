#!/usr/bin/env bash
# Fails, naming the files, when a C++ file does not follow the committed .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "Not formatted (run clang-format -i on them):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "Formatting: ${#files[@]} files follow .clang-format"
