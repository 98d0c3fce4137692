#!/usr/bin/env bash
# The main job on the bundled sample.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
echo "run-sample: nothing is built yet"
