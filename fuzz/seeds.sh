#!/usr/bin/env bash
# Gathers the fuzzing seeds into one directory: the shared corpus of real diagrams
# (when it lies beside the project), the end-to-end inputs, the examples and the
# kept inputs under fuzz/corpus/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:?usage: fuzz/seeds.sh SEED_DIR}"
mkdir -p "$out"
for dir in "$root/../shared/corpus" "$root/tests/e2e" "$root/examples" "$root/fuzz/corpus"; do
  [ -d "$dir" ] || continue
  for file in "$dir"/*; do
    [ -f "$file" ] || continue
    case "$file" in *.console | *.st | *.md) continue ;; esac
    cp "$file" "$out/$(basename "$dir")-$(basename "$file")"
  done
done
