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
# settings file holds another), so that "중력계산" gives about 9.8 m/s²: 9.7 at a 15° swing,
# whose period is 0.4 % longer than the small-swing formula says.
length=0.5
if [ -f "$settings" ]; then
    saved=$(sed -n 's/^EdPendL=\([0-9]*\.\{0,1\}[0-9]*\)\r\{0,1\}$/\1/p' "$settings" | head -n 1)
    if [ -n "$saved" ] && awk -v l="$saved" 'BEGIN { exit !(l >= 0.01 && l <= 20) }'; then
        length=$saved
    fi
fi
# ACCSIM_ARGS adds any of accsim's options; a later option wins over the demo's.
read -r -a extraOptions <<<"${ACCSIM_ARGS:-}"
"$build/accsim" --link "$port" --motion "${ACCSIM_MOTION:-pendulum}" --length "$length" \
    --amplitude 15 --noise 0.001 "${extraOptions[@]}" >/dev/null &
simulator=$!
trap 'kill $simulator 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
for _ in $(seq 50); do [ -e "$port" ] && break; sleep 0.1; done

# The program finds its device by the port name its settings file holds.
# The filter level the box shows ("중간"): unfiltered, the demo's noise adds turning points
# to the pendulum's.
if [ -f "$settings" ]; then
    sed -i "s|^CmbComPort=.*|CmbComPort=$port\r|" "$settings"
    grep -q '^CmbKalman=' "$settings" || printf 'CmbKalman=2\r\n' >>"$settings"
else
    printf 'Kvd_Log_DataBase_Ver=1.0\r\nCmbComPort=%s\r\nCmbYTime=10\r\nCmbUnit=1\r\nCmbKalman=2\r\n' \
        "$port" >"$settings"
fi
for note in app/AccNote*.rtf; do
    [ -f "$demo/${note#app/}" ] || cp "$note" "$demo/" 2>/dev/null || true
done

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: run this from a desktop session (or under xvfb-run)." >&2
    exit 1
fi
cd "$demo"
"../$build/Tarvik"
