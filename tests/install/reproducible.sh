#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package twice, each time from a fresh clone of the last
# commit in a folder of another name and depth, and compares the two .deb
# files byte for byte. On a difference it names the files inside that differ.
#   reproducible.sh SOURCE_DIR WORK_DIR [BUILD_TYPE]
# Skipped (77) without git, or outside a git checkout, except under
# scripts/test (LUPREDA_REQUIRE_REAL_STACK=1).
set -euo pipefail
source_dir="$1"
work="$2"
build_type="${3:-RelWithDebInfo}"

. "$(dirname "${BASH_SOURCE[0]}")/../support/realstack.sh"

command -v git >/dev/null || skip "git is not installed"
git -C "$source_dir" rev-parse --verify -q HEAD >/dev/null || skip "$source_dir is not a git checkout"
if [ -n "$(git -C "$source_dir" status --porcelain --untracked-files=no)" ]; then
    echo "Note: the working tree has changes; this builds the last commit only."
fi

rm -rf "$work"
mkdir -p "$work"
trees=("$work/one/lupreda" "$work/second-place/deeper/lupreda-$RANDOM")
debs=()
for tree in "${trees[@]}"; do
    git clone --quiet "$source_dir" "$tree"
    # The program and its package only: the tests are not in the package.
    cmake -S "$tree" -B "$tree/build" -DCMAKE_BUILD_TYPE="$build_type" -DLUPREDA_BUILD_TESTS=OFF >/dev/null
    cmake --build "$tree/build" -j"$(nproc)" >"$tree.build.log" 2>&1 || { cat "$tree.build.log"; exit 1; }
    (cd "$tree/build" && cpack >/dev/null)
    debs+=("$(ls "$tree"/build/lupreda_*.deb)")
done

if cmp "${debs[0]}" "${debs[1]}"; then
    echo "The same bytes from $(dirname "${trees[0]}") and $(dirname "${trees[1]}"):"
    sha256sum "${debs[@]}"
    rm -rf "$work"
    exit 0
fi

echo "FAIL: the two packages differ" >&2
for i in 0 1; do
    mkdir -p "$work/unpacked$i/control"
    dpkg-deb -x "${debs[$i]}" "$work/unpacked$i/data"
    dpkg-deb -e "${debs[$i]}" "$work/unpacked$i/control"
    ar tv "${debs[$i]}" >"$work/unpacked$i/members"
    dpkg-deb --fsys-tarfile "${debs[$i]}" | tar -tvf - >"$work/unpacked$i/listing"
done
diff -r "$work/unpacked0" "$work/unpacked1" >&2 || true
exit 1
