#!/usr/bin/env bash
# Installs what is missing, builds the editor (Release) and starts it: ./run.sh [FILE]
set -euo pipefail
args=()
for a in "$@"; do
  # A file named relative to where the user stands keeps meaning that file.
  if [ -e "$a" ]; then args+=("$(realpath "$a")"); else args+=("$a"); fi
done
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build-release --target lumerin lumassoc
exec build-release/lumerin "${args[@]}"
