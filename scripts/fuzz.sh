#!/usr/bin/env bash
# Builds the fuzz targets as libFuzzer programs (clang, in build-fuzz/, without the GoogleTest
# suites) and runs each for the given number of seconds from its corpus
# (tests/fuzz/<target>/corpus), which it only reads. The inputs it found that reach code the
# corpus does not are left in build-fuzz/new/<target>/; crashes are left in
# build-fuzz/crashes/<target>/ and make the script fail.
#
#   scripts/fuzz.sh [seconds per target, default 60] [target...]   (default: every target)
#
# To keep a found input, so that the replay the tests run meets it too, copy it into the corpus
# under a name that says what it holds, and commit it:
#   cp build-fuzz/new/<target>/<file> tests/fuzz/<target>/corpus/<what_it_holds>
# A campaign's many finds go into the corpus's found/ folder under the names they have (the replay
# reads the corpus's folders too):
#   cp build-fuzz/new/<target>/* tests/fuzz/<target>/corpus/found/
#
# Needs clang and libFuzzer (Debian packages clang and libclang-rt-14-dev). JOBS sets the build's
# parallel jobs (default: every processor).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
seconds="${1:-60}"
shift || true
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
    echo "usage: $0 [seconds per target] [target...]" >&2
    exit 2
fi
# clang and its libFuzzer runtime are not among the test build's packages (scripts/packages.txt):
# the campaign is run by hand, not by the tests.
if ! command -v clang++ >/dev/null || ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*,
    unsigned long) { return 0; }' | clang++ -fsanitize=fuzzer -x c++ - -o /dev/null 2>/dev/null; then
    echo "clang++ with libFuzzer is missing; install the Debian packages with:" >&2
    echo "  sudo apt-get install -y clang libclang-rt-14-dev" >&2
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
        -DKQ_BENCH=OFF -DKQ_TESTS=OFF
fi
cmake --build "$build" -j "$jobs" --target "${targets[@]/#/fuzz_}"

# Font configuration keeps caches that the leak check of every single input would report.
suppressions="$build/leaks.supp"
echo "leak:libfontconfig.so" >"$suppressions"
export LSAN_OPTIONS="suppressions=$suppressions${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The settings store syncs every file it writes to the disk; targets that write settings keep their
# private folders in memory, where a sync costs nothing, unless TMPDIR says otherwise.
if [[ -z "${TMPDIR:-}" && -d /dev/shm && -w /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi

failed=()
for target in "${targets[@]}"; do
    corpus="$root/tests/fuzz/$target/corpus"
    found="$build/found/$target"
    merged="$build/merged/$target"
    new="$build/new/$target"
    crashes="$build/crashes/$target"
    log="$build/$target.log"
    rm -rf "$found" "$merged" "$new"
    mkdir -p "$found" "$merged" "$new" "$crashes"
    program="$build/tests/fuzz/$target/fuzz_$target"
    echo "== $target: $seconds s"
    # New inputs go to the first folder; the corpus is only read.
    if ! "$program" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$found" "$corpus" 2>"$log"; then
        failed+=("$target")
        echo "   found a fault: see $log and $crashes/" >&2
    fi
    # The merge keeps of the found inputs those that add to what a copy of the corpus reaches;
    # what it added to the copy is what is new.
    [[ -d "$corpus" ]] && cp -r "$corpus/." "$merged/"
    "$program" -merge=1 "$merged" "$found" 2>>"$log" || true
    for file in "$merged"/*; do
        [[ -f "$file" && ! -e "$corpus/$(basename "$file")" ]] && mv "$file" "$new/"
    done
    executed=$(grep -Eo "^stat::number_of_executed_units: *[0-9]+" "$log" | grep -Eo "[0-9]+$")
    echo "   ${executed:-0} inputs run, $(find "$new" -type f | wc -l) new in $new"
done

if ((${#failed[@]} > 0)); then
    echo "Faults found in: ${failed[*]}" >&2
    exit 1
fi
echo "No faults found; new inputs are in $build/new/<target>/ (the header says how to keep one)."
