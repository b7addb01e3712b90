# SPDX-License-Identifier: GPL-3.0-or-later
# For the shell tests that need real packages: where one is missing the test
# is skipped (77), except where LUPREDA_REQUIRE_REAL_STACK=1 says the set-up
# has installed everything, so that a missing piece is a fault.
#   . tests/support/realstack.sh; skip "why"
# Only the exact value 1 counts, as in realstack.h.

real_stack_required() { [ "${LUPREDA_REQUIRE_REAL_STACK:-}" = 1 ]; }

skip() {
    if real_stack_required; then
        echo "FAIL: $*" >&2
        exit 1
    fi
    echo "SKIPPED: $*"
    exit 77
}
