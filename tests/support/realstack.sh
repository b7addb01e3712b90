# SPDX-License-Identifier: GPL-3.0-or-later
# For the shell tests that need real packages: where one is missing the test
# is skipped (77), except where LUPREDA_REQUIRE_REAL_STACK=1 says the set-up
# has installed everything, so that a missing piece is a fault.
#   . tests/support/realstack.sh; skip "why"

skip() {
    if [ "${LUPREDA_REQUIRE_REAL_STACK:-0}" = 1 ]; then
        echo "FAIL: $*" >&2
        exit 1
    fi
    echo "SKIPPED: $*"
    exit 77
}
