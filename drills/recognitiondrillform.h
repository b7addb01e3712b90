#pragma once

#include "drills/letterdrillform.h"

// Letter recognition: type the letter shown.
class RecognitionDrillForm : public LetterDrillForm
{
    Q_OBJECT
public:
    RecognitionDrillForm();
};
