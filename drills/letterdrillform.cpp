#include "drills/letterdrillform.h"

#include "app/handler.h"
#include "platform/mediacontrol.h"

#include <QCloseEvent>
#include <QPushButton>

namespace {

using namespace ui;

const ControlSpec kControls[] = {
    {.name = "Command4", .kind = Kind::Button, .text = "&ESCI", .left = 7560, .top = 5520, .width = 1455,
     .height = 495, .cancel = true},
};

} // namespace

LetterDrillForm::LetterDrillForm(const WindowSpec &window)
{
    auto *client = new QWidget;
    setCentralWidget(client);
    setupWindow(this, client, window);
    buildControls(client, kControls, window.fontPt);
    new MediaControl(this);
    placeWindow(this, window);
    connect(control<QPushButton>(this, "Command4"), &QPushButton::clicked, this, guarded([this] { Command4_Click(); }));
}

void LetterDrillForm::Command4_Click()
{
    Forms::instance().hide(static_cast<FormId>(objectName() == QLatin1String("RecognitionDrillForm")
                                                   ? FormId::RecognitionDrill
                                                   : FormId::SequenceDrill));
    Forms::instance().show(FormId::Chooser);
}

void LetterDrillForm::closeEvent(QCloseEvent *event)
{
    // The close box leaves the drill as "ESCI" does.
    event->ignore();
    runHandler([this] { Command4_Click(); });
}
