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
mkdir -p "$demo"
"$build/accsim" --link "$port" --motion "${ACCSIM_MOTION:-pendulum}" --noise 0.002 >/dev/null &
simulator=$!
trap 'kill $simulator 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
for _ in $(seq 50); do [ -e "$port" ] && break; sleep 0.1; done

# The program finds its device by the port name its settings file holds.
settings=$demo/default.ini
if [ -f "$settings" ]; then
    sed -i "s|^CmbComPort=.*|CmbComPort=$port\r|" "$settings"
else
    printf 'Kvd_Log_DataBase_Ver=1.0\r\nCmbComPort=%s\r\nCmbYTime=10\r\nCmbUnit=1\r\n' "$port" >"$settings"
fi
[ -f "$demo/AccNote.rtf" ] || cp app/AccNote.rtf "$demo/" 2>/dev/null || true

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: run this from a desktop session (or under xvfb-run)." >&2
    exit 1
fi
cd "$demo"
"../$build/Tarvik"
