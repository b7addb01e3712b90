#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Walks the README's install section as a new user of this machine would:
# a throwaway user with a fresh clone of the last commit in their home runs
# every command of the section's code blocks, in order, through a login
# shell, with sudo where the README says sudo. Between the commands it
# checks what the user would see: the package built, installed and removed,
# the program starting, `man lupreda` in English and Italian, nothing in their
# folders owned by root. Every command of the section must be walked.
#   walkthrough.sh SOURCE_DIR VERSION
# Needs root (to make the user) and a system without Lupreda installed; it
# installs the package, and removes it again. Skipped
# (77) otherwise, except under scripts/test (LUPREDA_REQUIRE_REAL_STACK=1).
set -euo pipefail
source_dir="$1"
version="$2"
# Names of this run's own: another checkout's tests on the same machine
# remove their walker, its home and its files by name.
user=lupreda-walk-$$
sudoers=/etc/sudoers.d/lupreda-walk-$$
# apt waits for a lock another install holds, rather than failing at once.
apt_wait=/etc/apt/apt.conf.d/99lupreda-walk-$$

. "$(dirname "${BASH_SOURCE[0]}")/../support/realstack.sh"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Not a missing package: a developer's own run of the tests skips it.
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: making a new user needs root"
    exit 77
fi
for tool in git sudo useradd userdel runuser man apt-get; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
git -C "$source_dir" rev-parse --verify -q HEAD >/dev/null || skip "$source_dir is not a git checkout"
if dpkg-query -W -f='${Status}' lupreda 2>/dev/null | grep -q "ok installed"; then
    skip "the lupreda package is installed here; the walk would replace it"
fi

work="$(mktemp -d /tmp/lupreda-walk.XXXXXX)"
chmod 755 "$work"
home="$work/home"

cleanup() {
    set +e
    rm -f "$sudoers" "$apt_wait"
    if dpkg-query -W -f='${Status}' lupreda 2>/dev/null | grep -q "ok installed"; then
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 remove -y -q lupreda >/dev/null
    fi
    # Qt's fallback runtime folder, /tmp/runtime-USER, among others.
    find /tmp -maxdepth 1 -user "$user" -exec rm -rf {} + 2>/dev/null
    userdel --remove --force "$user" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

if id "$user" >/dev/null 2>&1; then
    userdel --remove "$user" 2>/dev/null || true
fi
echo 'DPkg::Lock::Timeout "600";' >"$apt_wait"
useradd --create-home --home-dir "$home" --shell /bin/bash --user-group "$user"
git clone --quiet "$source_dir" "$home/lupreda"
chown -R "$user:" "$home/lupreda"

# The README's install section: every line of its sh code blocks, without
# the comments.
readme_commands() {
    awk '/^## Installare \/ Installing/ { section = 1; next }
         section && /^## / { exit }
         section && /^```sh/ { block = 1; next }
         section && /^```/ { block = 0; next }
         block' "$home/lupreda/README.md" |
        sed -E 's/[[:space:]]+#[^'\'']*$//; s/[[:space:]]+$//' | grep -v '^$'
}
mapfile -t commands < <(readme_commands)
[ "${#commands[@]}" -gt 0 ] || fail "found no commands in the README's install section"
walked=()

# One README command, as the user in a login shell started in the clone.
walk() {
    local command="$1"
    printf '%s\n' "${commands[@]}" | grep -qxF -- "$command" ||
        fail "the README's install section no longer says: $command"
    walked+=("$command")
    echo "==> $user\$ $command"
    # A prompt of apt's, should one come, is answered yes.
    runuser -l "$user" -c "cd ~/lupreda && $command" <<<y ||
        fail "'$command' failed for the user, status $?"
}
# A check as the user, outside the README.
as_user() {
    runuser -l "$user" -c "$1"
}
check_not_root_owned() {
    local owned
    owned="$(find "$home" ! -user "$user" -print | head -5)"
    [ -z "$owned" ] || fail "after '$1' these belong to someone else than the user:"$'\n'"$owned"
}
check_starts() {
    # Killed by the timeout means it was up, showing its chooser offscreen.
    local status=0
    as_user "QT_QPA_PLATFORM=offscreen timeout 3 $1" >/dev/null 2>&1 || status=$?
    [ "$status" -eq 124 ] || fail "$1 did not keep running for the user (status $status)"
}
check_manual() {
    local where page
    # /usr/local/man is a link to /usr/local/share/man.
    where="$(as_user "man -w lupreda")"
    [ "$(readlink -f "$where")" = "$(readlink -f "$1/man6/lupreda.6.gz")" ] ||
        fail "man -w lupreda finds '$where', not $1/man6/lupreda.6.gz"
    # Justified text, and a dash or an apostrophe that may be typographic.
    page="$(as_user "MANWIDTH=80 man lupreda 2>&1")"
    grep -Eq "lupreda +[^ ]+ +exercises +on +the +alphabet" <<<"$page" ||
        fail "man lupreda shows:"$'\n'"$page"
    page="$(as_user "MANWIDTH=80 man -L it lupreda 2>&1")"
    grep -Eq "lupreda +[^ ]+ +esercizi +sull.{1,3}alfabeto" <<<"$page" ||
        fail "man -L it lupreda shows:"$'\n'"$page"
}

# With sudo, as the README says.
echo "$user ALL=(ALL:ALL) NOPASSWD: ALL" >"$sudoers"
chmod 440 "$sudoers"
walk "sudo apt-get build-dep ./"
walk "dpkg-buildpackage -us -uc -b -jauto"
check_not_root_owned "dpkg-buildpackage -us -uc -b -jauto"
walk "sudo apt install ../lupreda_${version}_amd64.deb"
dpkg-query -W -f='${Status}' lupreda | grep -q "ok installed" || fail "the package is not installed"
check_starts lupreda
check_manual /usr/share/man
as_user "test -f /usr/share/doc/lupreda/copyright && zcat /usr/share/doc/lupreda/changelog.gz" |
    grep -q "^lupreda ($version)" || fail "no copyright or changelog in /usr/share/doc/lupreda"
walk "sudo apt remove lupreda"
! dpkg-query -W -f='${Status}' lupreda 2>/dev/null | grep -q "ok installed" || fail "the package is still installed"
[ ! -e /usr/bin/lupreda ] || fail "/usr/bin/lupreda is still there"

check_not_root_owned "the whole walk"

for command in "${commands[@]}"; do
    printf '%s\n' "${walked[@]}" | grep -qxF -- "$command" ||
        fail "the README's install section says '$command', which the walk does not try"
done
echo "Walked all ${#commands[@]} commands of the README's install section as $user."
