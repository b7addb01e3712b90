// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/program.h"

#include "accessibility/accessibility.h"
#include "app/programforms.h"
#include "app/qttranslation.h"

#include <QAction>
#include <QApplication>
#include <QTest>

namespace program {

void start()
{
    installQtTranslation();
    installProgramServices();
    ui::installProgramFont();
    accessibility::install();
    registerProgramForms();
    Forms::instance().show(FormId::Chooser);
    QVERIFY(QTest::qWaitForWindowExposed(window(FormId::Chooser)));
}

void stop()
{
    for (FormId id : kProgramForms)
        Forms::instance().unload(id);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget *window(FormId id)
{
    return Forms::instance().widget(id);
}

bool isVisible(FormId id)
{
    QWidget *w = window(id);
    return w && w->isVisible();
}

int visibleCount()
{
    int count = 0;
    for (FormId id : kProgramForms)
        count += isVisible(id) ? 1 : 0;
    return count;
}

void click(QWidget *widget)
{
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void choose(FormId id, const char *actionName)
{
    auto *action = find<QAction>(id, actionName);
    QVERIFY2(action, actionName);
    action->trigger();
}

} // namespace program
