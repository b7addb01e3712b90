#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the packages of the last commit a second time, in a folder of
# another name and depth, as another user, with another umask, locale and
# time zone, and compares its .deb files byte for byte with those the first
# build (build-package.sh) left in FIRST_DIR. On a difference it names the
# files inside that differ.
#   reproducible.sh SOURCE_DIR FIRST_DIR
# Needs root, to make the second user; skipped (77) otherwise, or without
# the first build's packages, except under scripts/test
# (LUPREDA_REQUIRE_REAL_STACK=1).
set -euo pipefail
source_dir="$1"
first="$2"
# A name of this run's own, as the walk's.
user=lupreda-repro-$$
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

. "$here/../support/realstack.sh"
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: building as a second user needs root"
    exit 77
fi
ls "$first"/lupreda*.deb >/dev/null 2>&1 || skip "no packages of a first build in $first"
# Italian where the machine has it, else plain POSIX: not the first build's.
locale -a | grep -qix 'it_IT.utf8' && lang=it_IT.UTF-8 || lang=C

if id "$user" >/dev/null 2>&1; then
    userdel --remove --force "$user" 2>/dev/null || true
fi
# Where the second user can reach it, whatever the first build's folder.
work="$(mktemp -d /tmp/lupreda-repro.XXXXXX)"
chmod 755 "$work"
cleanup() {
    userdel --remove --force "$user" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
useradd --create-home --home-dir "$work/home" --shell /bin/bash --user-group "$user"
second="$work/home/second-place/deeper/lupreda-$RANDOM"
git clone --quiet "$source_dir" "$work/source"
chown -R "$user:" "$work/source"
runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$work/home" LANG="$lang" LC_ALL="$lang" TZ=Pacific/Chatham \
    bash -c 'umask 077 && bash "$0" "$1" "$2"' "$work/source/tests/install/build-package.sh" "$work/source" "$second" >/dev/null

status=0
for deb in "$first"/lupreda*.deb; do
    other="$(dirname "$second")/$(basename "$deb")"
    if cmp "$deb" "$other"; then
        sha256sum "$deb" "$other"
        continue
    fi
    status=1
    echo "FAIL: $(basename "$deb") differs" >&2
    for i in 0 1; do
        file=("$deb" "$other")
        mkdir -p "$work/unpacked$i/control"
        dpkg-deb -x "${file[$i]}" "$work/unpacked$i/data"
        dpkg-deb -e "${file[$i]}" "$work/unpacked$i/control"
        dpkg-deb --fsys-tarfile "${file[$i]}" | tar -tvf - >"$work/unpacked$i/listing"
    done
    diff -r "$work/unpacked0" "$work/unpacked1" >&2 || true
done
exit "$status"
