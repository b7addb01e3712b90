// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drills/letterdrillform.h"

// Letter recognition: type the letter shown, drawn at random.
class RecognitionDrillForm : public LetterDrillForm
{
    Q_OBJECT
public:
    RecognitionDrillForm();

protected:
    void PresentLetter() override;

private:
    bool IsOutsideAlphabet(int code) const;

    Int16 LetterCode;
};
