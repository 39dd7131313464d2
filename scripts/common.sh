# Shared by run.sh and test.sh: installs missing Debian packages and locales, then configures and
# builds.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The test build (sanitizers, every test and benchmark) and the optimized build the run command
# and the real-process benchmark start.
build="$root/build"
release_build="$root/build-rel"
release_options=(-DCMAKE_BUILD_TYPE=Release -DKQ_SANITIZE=OFF -DKQ_TESTS=OFF)

# The Debian packages of scripts/packages.txt, then the locales.
install_packages() {
    install_debian_packages
    generate_locales
}

install_debian_packages() {
    local missing=()
    while read -r pkg; do
        [[ -z "$pkg" || "$pkg" == \#* ]] && continue
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done <"$root/scripts/packages.txt"
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing Debian packages: ${missing[*]}" >&2
        echo "Not running as root, so they are not installed; install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        return 0
    fi
    echo "Installing missing Debian packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The German and French locales: tests check that numbers follow the program's language and not
# the process locale, which needs those locales to exist.
generate_locales() {
    local wanted=(de_DE.UTF-8 fr_FR.UTF-8)
    local missing=()
    local name
    for name in "${wanted[@]}"; do
        # locale -a lists de_DE.utf8 for de_DE.UTF-8.
        if ! locale -a 2>/dev/null | grep -qix "${name%.UTF-8}.utf8"; then
            missing+=("$name")
        fi
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    if [[ $(id -u) -ne 0 || ! -f /etc/locale.gen ]] || ! command -v locale-gen >/dev/null; then
        echo "Missing locales: ${missing[*]} (the tests that need them are skipped)." >&2
        echo "Generate them as root: enable them in /etc/locale.gen and run locale-gen" >&2
        echo "(Debian package locales)." >&2
        return 0
    fi
    echo "Generating locales: ${missing[*]}"
    for name in "${missing[@]}"; do
        if grep -q "^# *$name UTF-8" /etc/locale.gen; then
            sed -i "s/^# *\($name UTF-8\)/\1/" /etc/locale.gen
        elif ! grep -q "^$name UTF-8" /etc/locale.gen; then
            echo "$name UTF-8" >>/etc/locale.gen
        fi
    done
    locale-gen >/dev/null
}

# configure_and_build <folder> [cmake options...] [-- targets...]: configures the folder the
# first time with the options given, then builds the targets (everything when none are given).
configure_and_build() {
    local folder="$1"
    shift
    local options=()
    while (($# > 0)) && [[ "$1" != "--" ]]; do
        options+=("$1")
        shift
    done
    (($# > 0)) && shift
    local targets=()
    if (($# > 0)); then
        targets=(--target "$@")
    fi
    local generator=()
    if command -v ninja >/dev/null 2>&1; then
        generator=(-G Ninja)
    fi
    if [[ ! -f "$folder/CMakeCache.txt" ]]; then
        cmake -S "$root" -B "$folder" "${generator[@]}" "${options[@]}"
    fi
    cmake --build "$folder" -j "$(nproc)" "${targets[@]}"
}
