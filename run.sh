#!/usr/bin/env bash
# Installs what is missing, builds, starts the accelerometer simulator on a pseudo-terminal
# and starts Tarvik connected to it in the demo working folder ./demo.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
EnsurePackages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${RUN_PACKAGES[@]}"

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target Tarvik accsim

demo=$PWD/demo
port=$demo/ttyAccsim
settings=$demo/default.ini
mkdir -p "$demo"
# The demo pendulum is as long as the program's length box says at start (0.500 m unless the
# settings file holds another), so that "중력계산" gives about 9.8 m/s².
length=0.5
if [ -f "$settings" ]; then
    saved=$(sed -n 's/^EdPendL=\([0-9]*\.\{0,1\}[0-9]*\)\r\{0,1\}$/\1/p' "$settings" | head -n 1)
    if [ -n "$saved" ] && awk -v l="$saved" 'BEGIN { exit !(l >= 0.01 && l <= 20) }'; then
        length=$saved
    fi
fi
"$build/accsim" --link "$port" --motion "${ACCSIM_MOTION:-pendulum}" --length "$length" \
    --amplitude 10 --noise 0.002 >/dev/null &
simulator=$!
trap 'kill $simulator 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
for _ in $(seq 50); do [ -e "$port" ] && break; sleep 0.1; done

# The program finds its device by the port name its settings file holds.
if [ -f "$settings" ]; then
    sed -i "s|^CmbComPort=.*|CmbComPort=$port\r|" "$settings"
else
    # The filter level the box shows ("중간"): without it the demo's noise makes turning points.
    printf 'Kvd_Log_DataBase_Ver=1.0\r\nCmbComPort=%s\r\nCmbYTime=10\r\nCmbUnit=1\r\nCmbKalman=2\r\n' \
        "$port" >"$settings"
fi
[ -f "$demo/AccNote.rtf" ] || cp app/AccNote.rtf "$demo/" 2>/dev/null || true

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: run this from a desktop session (or under xvfb-run)." >&2
    exit 1
fi
cd "$demo"
"../$build/Tarvik"
