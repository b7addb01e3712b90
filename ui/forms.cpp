// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/forms.h"

#include "accessibility/accessibility.h"
#include "ui/handler.h"

#include <QWidget>

#include <algorithm>

Forms &Forms::instance()
{
    static Forms forms;
    return forms;
}

void Forms::setFactory(FormId id, Factory factory)
{
    m_factories[index(id)] = std::move(factory);
}

QWidget *Forms::widget(FormId id) const
{
    Form *form = loaded(id);
    return form ? form->widget() : nullptr;
}

Form *Forms::load(FormId id)
{
    Form *&form = m_forms[index(id)];
    if (!form) {
        form = m_factories[index(id)]();
        accessibility::attach(form->widget());
        runHandler(form->widget(), [form] { form->Form_Load(); });
    }
    return form;
}

void Forms::show(FormId id)
{
    Form *form = load(id);
    QWidget *window = form->widget();
    window->show();
    window->activateWindow();
    if (m_active != id) {
        m_active = id;
        runHandler(window, [form] { form->Form_Activate(); });
    }
}

void Forms::hide(FormId id)
{
    if (QWidget *window = widget(id))
        window->hide();
    if (m_active == id)
        m_active.reset();
}

void Forms::unload(FormId id)
{
    Form *&form = m_forms[index(id)];
    if (!form)
        return;
    QWidget *window = form->widget();
    form = nullptr;
    if (m_active == id)
        m_active.reset();
    // Before it hides: a screen reader is told nothing of a window going away.
    accessibility::detach(window);
    window->hide();
    window->deleteLater();
    if (std::all_of(m_forms.begin(), m_forms.end(), [](Form *f) { return f == nullptr; }))
        emit allUnloaded();
}
