#include "drills/sequencedrillform.h"

namespace {

const ui::WindowSpec kWindow{
    .className = "SequenceDrillForm",
    .title = "METTERE IN SEQUENZA LE LETTERE DELL'ALFABETO",
    .clientWidth = 11310, .clientHeight = 8505,
    .left = 1995, .top = 1545,
    .background = ui::colours::Cyan,
};

} // namespace

SequenceDrillForm::SequenceDrillForm() : LetterDrillForm(kWindow) {}
