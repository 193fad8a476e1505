#!/usr/bin/env bash
# Measures every folder of a generated tree of 2,000 folders and 20,000 files with the catalog's
# folder-size scan and with `du -s` on each folder, warm cache, and prints both times and the ratio.
#   bench/catalog-folders.sh [BUILD_DIR]     (default ./build; builds quib_catalogdriver when needed;
#                                            time an optimised build: a Debug one runs unoptimised code)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
cmake --build "$build" --target quib_catalogdriver >/dev/null
driver=$build/quib_catalogdriver
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work/tree" <<'PY'
import os, random, sys
random.seed(11)
root = sys.argv[1]
for a in range(40):
    for b in range(50):
        folder = os.path.join(root, "a%02d" % a, "b%02d" % b)
        os.makedirs(folder)
        for n in range(10):
            with open(os.path.join(folder, "f%d.bin" % n), "wb") as f:
                f.truncate(random.randint(0, 200_000))
PY
now_ms() { date +%s%3N; }
# Warm the cache with one untimed pass of each.
QT_QPA_PLATFORM=offscreen "$driver" folders "$work/tree" >/dev/null
find "$work/tree" -mindepth 1 -type d -exec du -s {} + >/dev/null

start=$(now_ms)
QT_QPA_PLATFORM=offscreen "$driver" folders "$work/tree"
quib_ms=$(( $(now_ms) - start ))
start=$(now_ms)
find "$work/tree" -mindepth 1 -type d -exec du -s {} + >/dev/null
du_ms=$(( $(now_ms) - start ))

echo "catalog folder scan: $quib_ms ms"
echo "du -s per folder: $du_ms ms"
awk -v q="$quib_ms" -v d="$du_ms" 'BEGIN { printf "ratio scan/du: %.2f\n", (d > 0 ? q / d : 0) }'
