#!/usr/bin/env bash
# Lists the tests of the last ctest run in a build folder that skipped, with their reasons. Under
# CI=true it fails when one skipped for something scripts/packages.txt and scripts/common.sh
# provide (a locale, Xvfb, soffice, python3-pil) or for network namespaces, which CI's root may
# create: a skip there means the run did not test what it claims. Only the skips that depend on
# the kernel or the host's policy (ICMP sockets, kernel device events) are allowed.
set -euo pipefail
log="${1:?usage: check_skips.sh BUILD_FOLDER}/Testing/Temporary/LastTest.log"
[[ -f "$log" ]] || exit 0
allowed='no ICMP socket is permitted|no kernel device events|cannot address the monitor'

# GoogleTest prints "<file>:<line>: Skipped", then the reason, then "[  SKIPPED ] <test>".
skips="$(awk '/: Skipped$/ { getline reason; pending = reason; next }
              /\[  SKIPPED \]/ && pending != "" { sub(/.*\[  SKIPPED \] /, ""); print $1 ": " pending; pending = "" }' "$log")"
[[ -z "$skips" ]] && exit 0
echo "Skipped tests:"
echo "$skips" | sed 's/^/  /'
if [[ "${CI:-}" == "true" ]]; then
    unexpected="$(echo "$skips" | grep -Ev "$allowed" || true)"
    if [[ -n "$unexpected" ]]; then
        echo "CI provides what these tests need, so they must not skip:" >&2
        echo "$unexpected" | sed 's/^/  /' >&2
        exit 1
    fi
fi
