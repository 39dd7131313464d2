#!/usr/bin/env bash
# Builds everything in build/ (the sanitizer build) and runs every test.
source "$(dirname "$0")/common.sh"
install_packages
configure_and_build "$build"
# No library includes a header of one it does not link, and the links have no cycle.
/usr/bin/python3 "$root/scripts/check_layers.py" "$build"
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
bash "$root/scripts/check_skips.sh" "$build"
