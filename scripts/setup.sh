#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev fonts-wqy-microhei)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then
        sudo="sudo"
    fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
