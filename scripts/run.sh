#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the program and starts it. Any
# arguments go to the program; without arguments it analyses an example
# project in batch mode (the drawing window comes later):
#
#   scripts/run.sh                                   # analyses examples/portal.tsd
#   scripts/run.sh --analyze path/to/frame.tsd       # analyses your project
#   scripts/run.sh --help                            # lists the options
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >&2
cmake --build build -j "$(nproc)" --target Orvandel >&2

if (($# == 0)); then
    example=$(mktemp -d)/portal.tsd
    cp examples/portal.tsd "$example"
    set -- --analyze "$example"
fi
exec build/Orvandel "$@"
