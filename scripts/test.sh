#!/usr/bin/env bash
# Builds everything in build/ and runs every test.
source "$(dirname "$0")/common.sh"
install_packages
configure_and_build
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
bash "$root/scripts/check_skips.sh" "$build"
