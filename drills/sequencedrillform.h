#pragma once

#include "drills/letterdrillform.h"

// Letter sequence: type the letter that follows the one shown.
class SequenceDrillForm : public LetterDrillForm
{
    Q_OBJECT
public:
    SequenceDrillForm();
};
