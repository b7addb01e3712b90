#include "wordorder/wordorderform.h"

#include "app/controlbuilder.h"
#include "app/handler.h"
#include "platform/mediacontrol.h"

#include <QCloseEvent>
#include <QPushButton>

namespace {

using namespace ui;

const WindowSpec kWindow{
    .className = "WordOrderForm",
    .title = "ORDINAMENTO ALFABETICO",
    .clientWidth = 11670, .clientHeight = 8535,
    .left = 1845, .top = 1545,
    .background = colours::LightCyan,
};

const ControlSpec kControls[] = {
    {.name = "Command2", .kind = Kind::Button, .text = "&ESCI", .left = 7560, .top = 7440, .width = 1215,
     .height = 495, .cancel = true},
};

} // namespace

WordOrderForm::WordOrderForm()
{
    auto *client = new QWidget;
    setCentralWidget(client);
    setupWindow(this, client, kWindow);
    buildControls(client, kControls, kWindow.fontPt);
    new MediaControl(this);
    placeWindow(this, kWindow);
    connect(control<QPushButton>(this, "Command2"), &QPushButton::clicked, this, guarded([this] { Command2_Click(); }));
}

void WordOrderForm::Command2_Click()
{
    Forms::instance().unload(FormId::WordOrder);
    Forms::instance().show(FormId::Chooser);
}

void WordOrderForm::closeEvent(QCloseEvent *event)
{
    // The close box leaves the exercise as "ESCI" does.
    event->ignore();
    runHandler([this] { Command2_Click(); });
}
