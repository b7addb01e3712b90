// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts the pupil must see, written out by hand once for every test: a test
// that took them from the program would agree with any mistake in it.

#include <QString>

namespace expected {

// The drills' two alphabets, in capitals.
inline const QString kItalianAlphabet = QStringLiteral("ABCDEFGHILMNOPQRSTUVZ");
inline const QString kEnglishAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

// The Informazioni box, its lines parted by carriage returns as the program
// hands them to the box.
inline const QString kAboutText = QStringLiteral("Lupreda, a cura del gruppo di sviluppo di Lupreda\r"
                                                 "Luglio 1996\r"
                                                 "Versione Qt, tratta dal programma originale per Windows");

} // namespace expected
