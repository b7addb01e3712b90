# SPDX-License-Identifier: GPL-3.0-or-later
# A private X server for the scripts that need a real display: Xvfb picks a
# free display and writes its number once it accepts clients.
#   . tests/support/xvfb.sh; start_xvfb SCRATCH_DIR LOG_FILE
# Exports DISPLAY, and leaves the server's process id in xvfb_pid.

start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$1/display" >"$2" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$1/display")"
}
