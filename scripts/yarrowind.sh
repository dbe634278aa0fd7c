#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine:
#   scripts/yarrowind.sh run    install what is missing, build, start the program
#   scripts/yarrowind.sh test   install what is missing, build, run every test
#                               (with CI=true, or --sanitizers, also under ASan+UBSan)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mode="${1:-}"
shift || true
sanitizers=false
[ "${CI:-}" = "true" ] && sanitizers=true
for arg in "$@"; do
    case "$arg" in
        --sanitizers) sanitizers=true ;;
        --no-sanitizers) sanitizers=false ;;
        *) echo "unknown option: $arg" >&2; exit 2 ;;
    esac
done

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libgl-dev
    libsqlcipher-dev sqlcipher libicu-dev libswe-dev libxlsxwriter-dev libbenchmark-dev
    fonts-liberation
)
[ "$mode" = "test" ] && packages+=(xvfb xauth unzip)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

jobs="$(nproc 2>/dev/null || echo 2)"

build() { # folder, extra cmake options...
    local dir="$1"
    shift
    cmake -S "$here" -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$jobs"
}

run_tests() { # folder
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure -j "$jobs"
}

case "$mode" in
    run)
        install_missing
        build "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYARROWIND_BENCHMARKS=OFF
        exec "$here/build/program/yarrowind"
        ;;
    test)
        install_missing
        build "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYARROWIND_WERROR=ON
        run_tests "$here/build"
        if $sanitizers; then
            # Leaks inside the system's graphics and font libraries are not ours to fix.
            export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
            export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0"
            export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
            build "$here/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DYARROWIND_SANITIZE=ON \
                -DYARROWIND_WERROR=ON -DYARROWIND_BENCHMARKS=OFF
            run_tests "$here/build-sanitize"
        fi
        ;;
    *)
        echo "usage: $0 run | test [--sanitizers|--no-sanitizers]" >&2
        exit 2
        ;;
esac
