#!/usr/bin/env bash
# Builds everything in build/ (the sanitizer build) and runs every test.
source "$(dirname "$0")/common.sh"
install_packages
# The build itself checks that no file includes a header of a library its target does not link.
configure_and_build "$build"
cd "$build"
# A test that fails is run once more: the end-to-end roads drive real processes against the clock
# of a loaded machine, and only a failure that repeats counts. ctest lists every first failure.
ctest --output-on-failure -j "$(nproc)" --timeout 600 --repeat until-pass:2
bash "$root/scripts/check_skips.sh" "$build"
# Functions that nothing calls may only become fewer.
/usr/bin/python3 "$root/scripts/unreached_functions.py" "$build" --budget 132
