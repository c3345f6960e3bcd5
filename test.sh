#!/usr/bin/env bash
# Installs what is missing, checks that the sources are formatted as .clang-format says, builds
# everything with warnings as errors and runs the whole test suite, then builds it again under
# AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize/) and runs it there too. In
# between, the Qt-free core and its suites are cross-built for Windows and run under Wine
# (build-windows-core/). The suite includes the replays of the fuzz corpora. WINDOWS=0 and
# SANITIZE=0 skip those rounds for a quick local run.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
EnsurePackages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard '*.cpp' '*.h'
else
    find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0
fi | xargs -0 clang-format --dry-run --Werror

export QT_QPA_PLATFORM=offscreen
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_WERROR=ON "$@"
cmake --build "$build" --parallel "$(nproc)"
ctest --test-dir "$build" --output-on-failure --timeout 600

if [ "${WINDOWS:-1}" != 0 ]; then
    EnsurePackages "${WINDOWS_CORE_PACKAGES[@]}"
    scripts/windows-core-tests "${WINDOWS_BUILD_DIR:-build-windows-core}"
fi

[ "${SANITIZE:-1}" = 0 ] && exit 0
sanitized=${SANITIZE_BUILD_DIR:-build-sanitize}
cmake -S . -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_SANITIZE=ON \
    -DTARVIK_BENCH=OFF -DTARVIK_WERROR=ON "$@"
cmake --build "$sanitized" --parallel "$(nproc)"
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir "$sanitized" --output-on-failure --timeout 1200
