#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
ctest --preset default -j "$(nproc)" "$@"
