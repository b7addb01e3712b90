// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdio>

// The tests that run the real stack (fonts through fontconfig, a sound server,
// a display) skip where a package they need is missing, except under
// scripts/test, which installs every one of them and so sets
// LUPREDA_REQUIRE_REAL_STACK=1: there a missing piece is a fault. Only the
// exact value 1 counts, as in realstack.sh, so that a test and a script never
// disagree on whether a skip is allowed.
namespace realstack {

inline bool required()
{
    return qgetenv("LUPREDA_REQUIRE_REAL_STACK") == "1";
}

// Says what is missing and gives the status to exit with: 77 (skipped) or 1.
inline int missing(const QString &what)
{
    std::printf("%s: %s\n", required() ? "FAIL" : "SKIPPED", qPrintable(what));
    return required() ? 1 : 77;
}

} // namespace realstack
