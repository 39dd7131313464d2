#!/usr/bin/env bash
# Builds the optimized program in build-rel/ and starts it; with --simulate (or when no serial
# device of a sensor interface exists) against the sensor simulator, and without a display as the
# headless demonstration. --help says more.
source "$(dirname "$0")/common.sh"

usage() {
    cat <<'TEXT'
usage: scripts/run.sh [--simulate] [--help] [-- arguments for the application]

Installs the missing Debian packages (as root), builds the optimized program in build-rel/
(Release, without sanitizers and tests; the tests' sanitizer build stays in build/, see
scripts/test.sh) and starts build-rel/app/kq7b.

--simulate  First starts the sensor simulator (build-rel/tools/sensorsim/kq7b-sensorsim) with a
            bench of sensors: a two-channel torque sensor at 230400 baud with a slow sine load,
            one at 115200 baud with a constant load and a multi-port device of four ports at
            230400 baud. The simulator sends at each line's speed, as a sensor does: at 230400
            baud a line carries a value set every millisecond (the fastest rate), at 115200 baud
            one every 1.5 ms, and a sensor asked for more loses the rest on the way out (the
            measure page counts them). Their
            pseudo-terminals reach the application as extra ports (KQ7B_EXTRA_PORTS); the
            simulator stops when the application ends. Without the option this happens too when
            no serial device of a sensor interface (/dev/ttyUSB*, /dev/ttyACM*) exists.

With a display (DISPLAY set) the application shows its window and finds the sensors. Without
one the headless demonstration runs instead (build-rel/tools/demo/kq7b-demo): it walks the
operator's road through the real application against the simulator (search, every page, a
measurement, the values saved as CSV, the diagram as BMP and printed to PDF, then the program
closed on the measure page, started again from the settings it left and measuring once more) and
leaves a results folder with pictures of each page (PNG), the files and a summary, named at the
end.
TEXT
}

simulate=0
app_args=()
while (($# > 0)); do
    case "$1" in
        --simulate) simulate=1 ;;
        --help | -h) usage; exit 0 ;;
        --) shift; app_args+=("$@"); break ;;
        *) app_args+=("$1") ;;
    esac
    shift
done

install_packages
configure_and_build "$release_build" "${release_options[@]}" -- kq7b kq7b-sensorsim kq7b-demo

if ((simulate == 0)) && ! compgen -G "/dev/ttyUSB*" >/dev/null && ! compgen -G "/dev/ttyACM*" >/dev/null; then
    echo "No serial device of a sensor interface found: starting the sensor simulator."
    simulate=1
fi

if [[ -z "${DISPLAY:-}" ]]; then
    # No display: the headless demonstration starts its own simulator bench.
    exec "$release_build/tools/demo/kq7b-demo" --simulator "$release_build/tools/sensorsim/kq7b-sensorsim"
fi

if ((simulate == 0)); then
    exec "$release_build/app/kq7b" "${app_args[@]}"
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/kq7b-sim-XXXXXX")"
"$release_build/tools/sensorsim/kq7b-sensorsim" \
    --sensor serial=1001,baud=230400,channels=2,signal-a=sine:20000:10000:8,signal-b=const:1000 \
    --sensor serial=1002,baud=115200,channels=1,signal-a=const:12500 \
    --multiport 4,serial=1003,baud=230400 \
    --state "$work/sensors.state" --log "$work/simulator.log" >"$work/ports" &
simulator=$!
trap 'kill "$simulator" 2>/dev/null; wait "$simulator" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    (($(grep -c '^port ' "$work/ports" 2>/dev/null || true) >= 6)) && break
    sleep 0.1
done
ports=""
while read -r _ _ path; do
    ports+="${ports:+,}path=$path;desc=Tarvik USB sensor interface port"
done < <(grep '^port ' "$work/ports")
if [[ -z "$ports" ]]; then
    echo "The sensor simulator did not start (see $work/simulator.log)." >&2
    exit 1
fi
KQ7B_EXTRA_PORTS="$ports" "$release_build/app/kq7b" "${app_args[@]}"
