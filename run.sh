#!/usr/bin/env bash
# Installs what is missing, builds the editor (Release) and starts it: ./run.sh [FILE]
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build-release --target lumerin lumassoc
exec build-release/lumerin "$@"
