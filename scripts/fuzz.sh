#!/usr/bin/env bash
# Builds the fuzz targets as libFuzzer programs (clang, in build-fuzz/) and runs each for the
# given number of seconds from its corpus (tests/fuzz/<target>/corpus). Afterwards the inputs it
# found that reach code the corpus did not are merged into that corpus, so that the replay the
# tests run meets them too; crashes are left in build-fuzz/crashes/<target>/ and make the script
# fail.
#
#   scripts/fuzz.sh [seconds per target, default 60] [target...]   (default: every target)
#
# JOBS sets the build's parallel jobs (default: every processor).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
seconds="${1:-60}"
shift || true
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
    echo "usage: $0 [seconds per target] [target...]" >&2
    exit 2
fi
if ! command -v clang++ >/dev/null; then
    echo "clang++ is missing (Debian package clang): libFuzzer comes with clang." >&2
    exit 1
fi

targets=("$@")
if ((${#targets[@]} == 0)); then
    for folder in "$root"/tests/fuzz/*/; do
        [[ -f "$folder/CMakeLists.txt" ]] && targets+=("$(basename "$folder")")
    done
fi

jobs="${JOBS:-$(nproc)}"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" "${generator[@]}" -DKQ_LIBFUZZER=ON \
        -DKQ_BENCH=OFF
fi
cmake --build "$build" -j "$jobs" --target "${targets[@]/#/fuzz_}"

# Font configuration keeps caches that the leak check of every single input would report.
suppressions="$build/leaks.supp"
echo "leak:libfontconfig.so" >"$suppressions"
export LSAN_OPTIONS="suppressions=$suppressions${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

failed=()
for target in "${targets[@]}"; do
    corpus="$root/tests/fuzz/$target/corpus"
    found="$build/found/$target"
    crashes="$build/crashes/$target"
    log="$build/$target.log"
    rm -rf "$found"
    mkdir -p "$corpus" "$found" "$crashes"
    program="$build/tests/fuzz/$target/fuzz_$target"
    echo "== $target: $seconds s"
    # New inputs go to the first folder; the corpus is only read.
    if ! "$program" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$found" "$corpus" 2>"$log"; then
        failed+=("$target")
        echo "   found a fault: see $log and $crashes/" >&2
    fi
    before=$(find "$corpus" -type f | wc -l)
    "$program" -merge=1 "$corpus" "$found" 2>>"$log" || true
    after=$(find "$corpus" -type f | wc -l)
    executed=$(grep -Eo "^stat::number_of_executed_units: *[0-9]+" "$log" | grep -Eo "[0-9]+$")
    echo "   ${executed:-0} inputs run, $((after - before)) new in the corpus"
done

if ((${#failed[@]} > 0)); then
    echo "Faults found in: ${failed[*]}" >&2
    exit 1
fi
echo "No faults found; new inputs are in tests/fuzz/<target>/corpus."
