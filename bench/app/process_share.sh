#!/usr/bin/env bash
# The real program's own cost: starts the optimized kq7b (build-rel/) against the sensor simulator
# program, on Xvfb when it is installed (headless otherwise), shows each page in turn and reads
# the process's CPU time from /proc over three windows on each: idle with a sensor open on every
# page, one sensor measuring at 100 ms and at 1 ms, four sensors (a multi-port device at 230400
# baud) at 1 ms with the live diagram and the recording (the channel views as a fresh start shows
# them). Prints a table with each case's mean share and its spread over the three windows, the X
# server's share beside the program's, and the target.
#
# usage: bench/app/process_share.sh [--seconds N] [--build FOLDER] [--callgrind FILE]
#   N: one window, default 10. --callgrind runs only the case at 100 ms, the program under
#   valgrind's callgrind, and counts its instructions over one window of N s into FILE: a
#   figure that does not depend on what else the machine runs.
#
# The program is driven as an operator drives it, through the X server (xdotool): the pages by
# the menu's keys, the rate by the measure configuration's first list, the measurement by the
# measure page's Start button. Headless nothing can be pressed: only the start page's idle share
# is measured then.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$root/build-rel"
seconds=10
windows=3
callgrind=""
while (($# > 0)); do
    case "$1" in
        --seconds) seconds="$2"; shift ;;
        --build) build="$2"; shift ;;
        --callgrind) callgrind="$(realpath -m "$2")"; windows=1; shift ;;
        --help | -h) sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
    shift
done

app="$build/app/kq7b"
sim="$build/tools/sensorsim/kq7b-sensorsim"
if [[ -n "$callgrind" ]]; then
    command -v valgrind >/dev/null 2>&1 || { echo "valgrind is not installed." >&2; exit 1; }
    rm -f "$callgrind" "$callgrind.1"
fi
for program in "$app" "$sim"; do
    if [[ ! -x "$program" ]]; then
        echo "$program is missing: build it first (./scripts/run.sh builds both)." >&2
        exit 1
    fi
done

work="$(mktemp -d "${TMPDIR:-/tmp}/kq7b-share-XXXXXX")"
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

ticks_per_second="$(getconf CLK_TCK)"
# User and system time of a process in clock ticks (the fields after the parenthesised name).
cpu_ticks() {
    local stat
    stat="$(cat "/proc/$1/stat" 2>/dev/null)" || { echo 0; return; }
    stat="${stat##*) }"
    # Fields from the state on: utime and stime are the 12th and 13th.
    read -r -a fields <<<"$stat"
    echo $((fields[11] + fields[12]))
}

server=""
if command -v Xvfb >/dev/null 2>&1 && command -v xdotool >/dev/null 2>&1; then
    # The server picks a free display itself and names it: other servers may run beside it.
    exec {displayfd}<> <(:)
    Xvfb -displayfd "$displayfd" -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    server=$!
    pids+=("$server")
    read -r -t 30 -u "$displayfd" display_number || true
    exec {displayfd}>&-
    export DISPLAY=":${display_number:-0}"
    for _ in $(seq 50); do
        xdotool getmouselocation >/dev/null 2>&1 && break
        sleep 0.1
    done
    export KQ7B_BACKEND=x11
else
    echo "Xvfb or xdotool is not installed: headless, the start page only."
    unset DISPLAY
    export KQ7B_BACKEND=headless
fi

rows=()
# share_of <pid> <ticks before>: the process's share of one core since then, over one window.
share_of() {
    awk -v t=$(($(cpu_ticks "$1") - $2)) -v hz="$ticks_per_second" -v s="$seconds" \
        'BEGIN { printf "%.2f", 100 * t / hz / s }'
}
# spread <shares...>: "mean (least–most)" of the windows' shares.
spread() {
    printf '%s\n' "$@" | awk '{ sum += $1; if (NR == 1 || $1 < lo) lo = $1; if ($1 > hi) hi = $1 }
        END { printf "%.2f (%.2f–%.2f)", sum / NR, lo, hi }'
}
# measure <what> <target>: the program's and the X server's share of one core over three
# windows, each case with its mean and spread.
measure() {
    local what="$1" target="$2" a0 x0 shares=() xshares=()
    if [[ -n "$callgrind" ]]; then
        count_instructions "$what"
        return
    fi
    for _ in $(seq "$windows"); do
        a0="$(cpu_ticks "$program_pid")"
        x0=0
        [[ -n "$server" ]] && x0="$(cpu_ticks "$server")"
        sleep "$seconds"
        shares+=("$(share_of "$program_pid" "$a0")")
        [[ -n "$server" ]] && xshares+=("$(share_of "$server" "$x0")")
    done
    local share xshare="-"
    share="$(spread "${shares[@]}")"
    ((${#xshares[@]})) && xshare="$(spread "${xshares[@]}")"
    rows+=("$what|$share|$xshare|$target")
    printf '  %-46s %s %%   X server %s %%   target %s\n' "$what" "$share" "$xshare" "$target"
}

# count_instructions <what>: the program's instructions over one window, counted by callgrind
# (which ran with its counting off until now).
count_instructions() {
    callgrind_control --instr=on "$program_pid" >/dev/null 2>&1
    sleep "$seconds"
    callgrind_control --dump="$1" "$program_pid" >/dev/null 2>&1
    callgrind_control --instr=off "$program_pid" >/dev/null 2>&1
    # The first dump of a run is FILE.1; the program's exit writes FILE itself.
    # The diagram's refreshes in the window: under callgrind the program runs slower than its
    # timers, so it refreshes less often than at full speed; the figure per refresh compares.
    local total paints
    total="$(awk '/^totals:/ { print $2 }' "$callgrind.1")"
    paints="$(callgrind_annotate --inclusive=yes --tree=calling "$callgrind.1" 2>/dev/null |
        grep -m 1 -oP '>\s+\S*CXGraph::OnPaint\(\) \(\K[0-9,]+' | tr -d ,)" || true
    printf '  %-46s %s instructions in %s s, %s paints of the diagram, %s instructions per paint (%s.1)\n' \
        "$1" "$total" "$seconds" "${paints:-no}" "$((total / ${paints:-1}))" "$callgrind"
}

# Lines the simulator logged for its sensors' requests (" rx "), on every port: the program
# talks to the sensors when it searches, opens, starts and stops them.
requests() {
    grep -c ' rx ' "$session/simulator.log" 2>/dev/null || true
}
# settle: waits until the simulator has logged no request for 2 s (at most 60 s): the program's
# search and opening of the sensors, or its start of a measurement, is done.
settle() {
    local last=-1 now quiet=0
    for _ in $(seq 120); do
        now="$(requests)"
        if ((now == last)); then
            ((++quiet >= 4)) && return 0
        else
            quiet=0
            last=$now
        fi
        sleep 0.5
    done
}
# until_requested <before>: waits (at most 30 s) until every port has logged a request after
# the count given; false when none came (the click did not reach its control).
until_requested() {
    local before="$1" path
    for _ in $(seq 60); do
        local all=1
        while read -r _ _ path; do
            (($(awk -v n="$before" -v p="$path" 'NR > n && $2 == p && / rx /' \
                <(grep ' rx ' "$session/simulator.log") | wc -l) > 0)) || all=0
        done < <(grep '^port ' "$session/ports")
        ((all)) && return 0
        sleep 0.5
    done
    return 1
}

# start_bench <simulator arguments...>: the simulator, then the program with its ports, in a
# settings folder of their own (a fresh start each time, as an operator's first start); waits
# until its window shows and it has found and opened the sensors.
sessions=0
start_bench() {
    session="$work/session$((++sessions))"
    mkdir -p "$session/config" "$session/data"
    "$sim" "$@" --log "$session/simulator.log" >"$session/ports" &
    pids+=($!)
    local expected=1
    [[ "$*" == *--multiport* ]] && expected=4
    for _ in $(seq 100); do
        (($(grep -c '^port ' "$session/ports" 2>/dev/null || true) >= expected)) && break
        sleep 0.1
    done
    local ports="" path
    while read -r _ _ path; do
        ports+="${ports:+,}path=$path;desc=Tarvik USB sensor interface port"
    done < <(grep '^port ' "$session/ports")
    local under=()
    [[ -n "$callgrind" ]] &&
        under=(valgrind --tool=callgrind --instr-atstart=no "--callgrind-out-file=$callgrind")
    XDG_CONFIG_HOME="$session/config" XDG_DATA_HOME="$session/data" HOME="$session" \
        KQ7B_EXTRA_PORTS="$ports" "${under[@]}" "$app" >"$session/program.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
    if [[ -n "$server" ]]; then
        timeout 60 xdotool search --sync --onlyvisible --name 'KQ7-B' >/dev/null 2>&1 || true
    fi
    until_requested 0 || echo "  (the program did not talk to every sensor within 30 s)" >&2
    settle
}
stop_bench() {
    local pid first=0
    [[ -n "$server" ]] && first=1
    for pid in "${pids[@]:first}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    pids=()
    [[ -n "$server" ]] && pids=("$server")
}

# Where the operator clicks, on the 1600x1000 screen of a fresh start in English: the
# navigation bar's entries, the measure configuration's rate and stop lists, the measure page's
# buttons. The program starts on the measure configuration.
declare -A at=(
    [ports]="115 184" [information]="113 202" [configuration]="106 219"
    [documentation]="104 236" [adjustment]="113 252" [measure]="100 270" [diagnosis]="89 287"
    [rate]="366 61" [stop]="355 440" [stopCount]="341 541" [count]="700 439"
    [start]="268 67" [end]="493 67"
)
click() {
    # shellcheck disable=SC2086
    xdotool mousemove ${at[$1]} click 1
    xdotool mousemove 1590 990  # out of the way: no hover
    sleep "${2:-2}"
}
# The fastest rate (1 ms), and a stop after many value sets: without one a measurement at that
# rate ends when the curve store's first 10,000 points are full.
fastest_rate_and_long_run() {
    click configuration
    click rate 1
    xdotool key Home Return
    sleep 1
    click stop 1
    click stopCount 1
    click count 0.5
    xdotool key End shift+Home
    xdotool type --delay 50 "1000000"
    xdotool key Tab
    sleep 1
}
# measure_run <what>: starts the measurement on the measure page, waits until the program has
# started every sensor and settled, measures, and ends the measurement.
measure_run() {
    click measure
    local before
    before="$(requests)"
    click start 0.5
    if ! until_requested "$before"; then
        echo "  $1: the measurement did not start (the Start button was not where it was looked for)" >&2
        rows+=("$1|not started|-|$2")
        return
    fi
    # The first values reach the views and the diagram lays out its curves.
    sleep 2
    measure "$1" "$2"
    before="$(requests)"
    click end 0.5
    until_requested "$before" || true
    settle
}

if [[ -n "$callgrind" ]]; then
    echo "kq7b's instructions under callgrind over $seconds s ($build):"
else
    echo "kq7b's share of one core and the X server's, $windows windows of $seconds s each ($build):"
fi
start_bench --sensor serial=1001,baud=230400,channels=2,signal-a=sine:20000:10000:8,signal-b=const:1000
if [[ -n "$callgrind" ]]; then
    [[ -n "$server" ]] || { echo "callgrind's count needs the X server." >&2; exit 1; }
    measure_run "one sensor measuring at 100 ms" "-"
    exit 0
fi
if [[ -z "$server" ]]; then
    measure "idle, start page (measure configuration)" "at most 0.5 %"
    exit 0
fi
for page in configuration ports information documentation adjustment measure diagnosis; do
    click "$page"
    measure "idle, one sensor open, page: $page" "at most 0.5 %"
done
measure_run "one sensor measuring at 100 ms" "at most 1 %"
fastest_rate_and_long_run
measure_run "one sensor measuring at 1 ms" "at most 3 %"
stop_bench

start_bench --multiport 4,serial=1003,baud=230400
fastest_rate_and_long_run
measure_run "four sensors measuring at 1 ms, diagram, recording" "at most 5 %"

echo
echo "| What | kq7b, mean (spread) | X server | Target |"
echo "|------|------|----------|--------|"
for row in "${rows[@]}"; do
    IFS='|' read -r what share xshare target <<<"$row"
    echo "| $what | $share % | $xshare % | $target |"
done
