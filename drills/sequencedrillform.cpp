// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/sequencedrillform.h"

#include "drills/drillcontrols.h"
#include "drills/letterdrillnarrator.h"
#include "platform/textcodes.h"

#include <QLabel>

namespace names = drillcontrols;

namespace {

using namespace ui;

const ControlDesign kOwnControls[] = {
    {.name = names::Label11, .kind = Kind::Label, .left = 360, .top = 2400, .width = 5070, .height = 585, .fontPt = 12,
     .fg = colours::Blue, .bg = colours::Green, .border = true},
    {.name = names::Label12, .kind = Kind::Label, .left = 840, .top = 4800, .width = 2295, .height = 375},
};

const LetterDrillNarrator kNarrator(names::Label12, names::Label11);
const accessibility::WindowDescription kDescription{letterDrillRoles(), &kNarrator};

const LetterDrillDesign kDesign{
    .description = &kDescription,
    .window = {
        .className = "SequenceDrillForm",
        .title = "METTERE IN SEQUENZA LE LETTERE DELL'ALFABETO",
        .clientWidth = 11310, .clientHeight = 8505,
        .left = 1995, .top = 1545,
        .background = colours::Cyan,
    },
    .label8Left = 840, .label8Top = 4200,
    .label9Left = 840, .label9Top = 6480,
    .ownControls = kOwnControls,
    .alphabetLabel = names::Label12,
    .sequenceLabel = names::Label11,
    .capitalsItem = "Lettere Maiuscole",
    .smallLettersItem = "lettere minuscole",
    .instruction = "  PREMI IL TASTO DELLA LETTERA SUCCESSIVA",
    .chimePath = "C:\\WINDOWS\\Media/chimes.wav",
    .italianLimit = 20, .englishLimit = 25,
};

} // namespace

SequenceDrillForm::SequenceDrillForm() : LetterDrillForm(kDesign) {}

void SequenceDrillForm::RewindLetters()
{
    CapitalCursor = 'A' - 1;
    SmallCursor = 'a' - 1;
}

// Shows the next letter of the walk and expects the one after it. The Italian
// alphabet steps over J and K after I, and over W, X and Y after V.
void SequenceDrillForm::PresentLetter()
{
    Int16 &cursor = capitals() ? CapitalCursor : SmallCursor;
    const int caseShift = capitals() ? 0 : text::kCapitalToSmall;
    cursor += 1;
    promptLabel()->setText(QString(text::ansiChar(cursor)));
    if (ItalianAlphabet) {
        if (cursor == 'I' + caseShift)
            cursor += 2;
        if (cursor == 'V' + caseShift)
            cursor += 3;
    }
    ExpectedAnswer = QString(text::ansiChar(cursor + 1));
}

// The sequence restarts from the first letter at the first exercise of a session.
void SequenceDrillForm::RecordRightAnswer()
{
    if (ExerciseNumber == 1)
        SequenceSoFar = capitals() ? QStringLiteral("A") : QStringLiteral("a");
    SequenceSoFar += ExpectedAnswer;
    sequenceLabel()->setText(SequenceSoFar);
}
