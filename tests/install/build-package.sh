#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the source and binary packages of the last commit with
# dpkg-buildpackage, in a fresh clone at TREE, as the package checks and the
# reproducibility test look at them; the tests are left to the build tree's
# own run (nocheck). Everything it makes lands beside TREE.
#   build-package.sh SOURCE_DIR TREE
# Skipped (77) without git, dpkg-buildpackage or debhelper, except under
# scripts/test (LUPREDA_REQUIRE_REAL_STACK=1).
set -euo pipefail
source_dir="$1"
tree="$2"

. "$(dirname "${BASH_SOURCE[0]}")/../support/realstack.sh"
for tool in git dpkg-buildpackage dh; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
git -C "$source_dir" rev-parse --verify -q HEAD >/dev/null || skip "$source_dir is not a git checkout"
if [ -n "$(git -C "$source_dir" status --porcelain --untracked-files=no)" ]; then
    echo "Note: the working tree has changes; this builds the last commit only."
fi

rm -rf "$(dirname "$tree")"
mkdir -p "$(dirname "$tree")"
git clone --quiet "$source_dir" "$tree"
rm -rf "$tree/.git"
cd "$tree"
DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -us -uc >"$tree.log" 2>&1 ||
    { tail -50 "$tree.log"; exit 1; }
ls -l "$(dirname "$tree")"/lupreda*
