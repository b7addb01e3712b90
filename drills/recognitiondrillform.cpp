// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/recognitiondrillform.h"

#include "drills/drillcontrols.h"
#include "drills/letterdrillnarrator.h"
#include "platform/random.h"
#include "platform/textcodes.h"

#include <QLabel>

namespace names = drillcontrols;

namespace {

using namespace ui;

constexpr int kLettersAToZ = 26;

const ControlDesign kOwnControls[] = {
    {.name = names::Label11, .kind = Kind::Label, .text = "Label11", .left = 600, .top = 4800, .width = 3255,
     .height = 375, .bg = colours::Cyan},
};

const LetterDrillNarrator kNarrator(names::Label11, nullptr);
const accessibility::WindowDescription kDescription{letterDrillRoles(), &kNarrator};

const LetterDrillDesign kDesign{
    .description = &kDescription,
    .window = {
        .className = "RecognitionDrillForm",
        .title = "RICONOSCERE LE LETTERE DELL'ALFABETO",
        .clientWidth = 11865, .clientHeight = 8565,
        .left = 1695, .top = 1395,
        .background = colours::Cyan,
    },
    .label8Left = 600, .label8Top = 4200,
    .label9Left = 720, .label9Top = 4560,
    .ownControls = kOwnControls,
    .alphabetLabel = names::Label11,
    .sequenceLabel = nullptr,
    .capitalsItem = "Maiuscole",
    .smallLettersItem = "minuscole",
    .instruction = "  PREMI IL TASTO DELLA LETTERA CORRISPONDENTE",
    .chimePath = "C:\\WINDOWS\\Media\\Chimes.wav",
    .italianLimit = 10, .englishLimit = 10,
};

} // namespace

RecognitionDrillForm::RecognitionDrillForm() : LetterDrillForm(kDesign) {}

// Any letter of the chosen alphabet and case, each equally likely; letters the
// Italian alphabet lacks are drawn again.
void RecognitionDrillForm::PresentLetter()
{
    do {
        const int first = capitals() ? 'A' : 'a';
        LetterCode = first + int(double(platform::NextRandom()) * kLettersAToZ);
    } while (ItalianAlphabet && IsOutsideAlphabet(LetterCode));
    ExpectedAnswer = QString(text::ansiChar(LetterCode));
    promptLabel()->setText(ExpectedAnswer);
}

bool RecognitionDrillForm::IsOutsideAlphabet(int code) const
{
    const int capital = code >= 'a' ? code - text::kCapitalToSmall : code;
    return capital == 'J' || capital == 'K' || capital == 'W' || capital == 'X' || capital == 'Y';
}
