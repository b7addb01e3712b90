// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drills/letterdrillform.h"

// Letter sequence: walk the alphabet and type the letter that follows the one shown.
class SequenceDrillForm : public LetterDrillForm
{
    Q_OBJECT
public:
    SequenceDrillForm();

protected:
    void PresentLetter() override;
    void RewindLetters() override;
    void RecordRightAnswer() override;

private:
    // Each cursor stands just below the expected letter of its case.
    Int16 CapitalCursor = 'A' - 1;
    Int16 SmallCursor = 'a' - 1;
    QString SequenceSoFar;
};
