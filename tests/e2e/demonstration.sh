#!/usr/bin/env bash
# The README's headless run: the demonstration against the simulator, into a folder of its own.
# Fails when it ends with anything but 0, or leaves no values (CSV), diagram (BMP), printout (PDF),
# page picture (PNG) or summary line of the second start.
set -uo pipefail
demo="${1:?usage: demonstration.sh KQ7B_DEMO}"
results="$(mktemp -d "${TMPDIR:-/tmp}/kq7b-demo-test-XXXXXX")"
"$demo" --results "$results"
code=$?
failed=0
fail() {
    echo "FAILED: $*" >&2
    failed=1
}
((code == 0)) || fail "the demonstration ended with $code"
for pattern in '*.csv' '*.bmp' '*.pdf' 'page-*.png'; do
    found="$(find "$results" -maxdepth 1 -name "$pattern" -size +0 | head -1)"
    [[ -n "$found" ]] || fail "no $pattern file in $results"
done
grep -qx '  done:   started again on the measure page and measured again' "$results/summary.txt" ||
    fail "the summary does not tell of the second start"
if ((failed)); then
    echo "The results are kept in $results" >&2
    exit 1
fi
rm -rf "$results"
