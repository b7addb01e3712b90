// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <array>
#include <functional>
#include <optional>

class QWidget;

// The program's four windows. Each exists once, and only while it is loaded.
enum class FormId { Chooser, RecognitionDrill, SequenceDrill, WordOrder };

// Implemented by each window: what it does when it is loaded and each time it
// becomes the program's active window.
class Form
{
public:
    virtual ~Form() = default;
    virtual QWidget *widget() = 0;
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
};

// Loads, shows, hides and unloads the four windows. A window that is not loaded
// does not exist; showing it loads it first. Activation runs when a window is
// shown and was not already the active one of the four, so a message box
// closing over it, or a return from another program, does not activate it.
class Forms : public QObject
{
    Q_OBJECT
public:
    using Factory = std::function<Form *()>;

    static Forms &instance();

    void setFactory(FormId id, Factory factory);

    bool isLoaded(FormId id) const { return m_forms[index(id)] != nullptr; }
    Form *loaded(FormId id) const { return m_forms[index(id)]; }
    QWidget *widget(FormId id) const;

    Form *load(FormId id);
    void show(FormId id);
    void hide(FormId id);
    // The window goes away at once as far as the program is concerned; the
    // object itself is deleted once its running handler has returned.
    void unload(FormId id);

signals:
    // The last loaded window was unloaded: the program ends.
    void allUnloaded();

private:
    static constexpr std::size_t index(FormId id) { return static_cast<std::size_t>(id); }

    std::array<Factory, 4> m_factories;
    std::array<Form *, 4> m_forms{};
    std::optional<FormId> m_active;
};
