#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the program and starts it. Any
# arguments go to the program:
#
#   scripts/run.sh                                   # opens the drawing window
#   scripts/run.sh --analyze examples/portal.tsd     # batch analysis, no window
#   scripts/run.sh --help                            # lists the options
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >&2
cmake --preset release >&2
cmake --build --preset release -j "$(nproc)" --target Orvandel >&2
exec build/Orvandel "$@"
