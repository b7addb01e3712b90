#include "drills/recognitiondrillform.h"

namespace {

const ui::WindowSpec kWindow{
    .className = "RecognitionDrillForm",
    .title = "RICONOSCERE LE LETTERE DELL'ALFABETO",
    .clientWidth = 11865, .clientHeight = 8565,
    .left = 1695, .top = 1395,
    .background = ui::colours::Cyan,
};

} // namespace

RecognitionDrillForm::RecognitionDrillForm() : LetterDrillForm(kWindow) {}
