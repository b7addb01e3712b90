// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/forms.h"

#include "ui/handler.h"

#include <QWidget>

#include <algorithm>

Forms &Forms::instance()
{
    static Forms forms;
    return forms;
}

Forms::Entry *Forms::entry(FormId id)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry &e) { return e.id == id; });
    return found == m_entries.end() ? nullptr : &*found;
}

const Forms::Entry *Forms::entry(FormId id) const
{
    return const_cast<Forms *>(this)->entry(id);
}

std::optional<FormId> Forms::idOf(const Form *form) const
{
    for (const Entry &e : m_entries)
        if (form && e.form == form)
            return e.id;
    return std::nullopt;
}

void Forms::setFactory(FormId id, Factory factory)
{
    if (Entry *e = entry(id))
        e->factory = std::move(factory);
    else
        m_entries.push_back({id, std::move(factory)});
}

Form *Forms::loaded(FormId id) const
{
    const Entry *e = entry(id);
    return e ? e->form : nullptr;
}

QWidget *Forms::widget(FormId id) const
{
    Form *form = loaded(id);
    return form ? form->widget() : nullptr;
}

Form *Forms::load(FormId id)
{
    Entry *e = entry(id);
    Q_ASSERT_X(e, "Forms::load", "a window that was never registered");
    if (!e->form) {
        Form *form = e->form = e->factory();
        emit built(form->widget());
        runHandler(form->widget(), [form] { form->Form_Load(); });
    }
    return e->form;
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

void Forms::showHome()
{
    if (m_home)
        show(*m_home);
}

void Forms::hide(FormId id)
{
    if (QWidget *window = widget(id))
        window->hide();
    if (m_active == id)
        m_active.reset();
}

void Forms::hide(const Form *form)
{
    if (const auto id = idOf(form))
        hide(*id);
}

void Forms::unload(FormId id)
{
    Entry *e = entry(id);
    if (!e || !e->form)
        return;
    QWidget *window = e->form->widget();
    e->form = nullptr;
    if (m_active == id)
        m_active.reset();
    // Before it hides: a screen reader is told nothing of a window going away.
    emit unloading(window);
    window->hide();
    window->deleteLater();
    if (std::all_of(m_entries.begin(), m_entries.end(), [](const Entry &other) { return other.form == nullptr; }))
        emit allUnloaded();
}

void Forms::unload(const Form *form)
{
    if (const auto id = idOf(form))
        unload(*id);
}

void Forms::unloadAll()
{
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        unload(m_entries[i].id);
}
