#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as a screen reader meets it: a private X server with a window
# manager, a private D-Bus session with the accessibility bus, and a client
# reading the program through AT-SPI as Orca does (python3-pyatspi).
#   run.sh <path to lupreda> [session script, atspi_session.py by default]
#   run.sh <path to lupreda> soak <path to tst_monkey>: the monkey, with a client listening
# Exit 77 (skipped) where a package is missing, unless LUPREDA_REQUIRE_REAL_STACK=1
# says the set-up has installed everything, and a missing piece is a fault.
set -euo pipefail
program="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
session="$here/atspi_session.py"
[ "${2:-soak}" = soak ] || session="$2"
python=/usr/bin/python3

missing=()
for tool in Xvfb openbox dbus-daemon xdotool; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -x /usr/libexec/at-spi-bus-launcher ] || missing+=(at-spi2-core)
"$python" -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
. "$here/../support/realstack.sh"
[ "${#missing[@]}" -eq 0 ] || skip "not installed: ${missing[*]}"

scratch="$(mktemp -d)"
chmod 700 "$scratch"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# Nobody's own desktop, settings or buses take part.
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
export LSAN_OPTIONS="suppressions=$here/qt-atspi.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

. "$here/../support/xvfb.sh"
start_xvfb "$scratch" "$scratch/xvfb.log"
pids+=("$xvfb_pid")

dbus-daemon --session --nofork --print-address=3 3>"$scratch/bus" >"$scratch/dbus.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$scratch/bus" ] && break; sleep 0.1; done
DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$scratch/bus")"
export DBUS_SESSION_BUS_ADDRESS

openbox >"$scratch/openbox.log" 2>&1 &
pids+=($!)

status=0
if [ "${2:-}" = soak ]; then
    "$python" "$here/soak.py" "$3" "$scratch" || status=$?
else
    "$python" "$session" "$program" "$scratch" || status=$?
fi
if [ "$status" -ne 0 ]; then
    echo "--- program's output"
    cat "$scratch"/program-*.log 2>/dev/null || true
fi
exit "$status"
