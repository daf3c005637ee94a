#!/usr/bin/env bash
# Builds everything and runs the demo.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
./build/stage/kelvane-demo "$@"
