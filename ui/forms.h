// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

// A window's key in the registry. The program names its windows where it
// registers them; the toolkit only keeps them.
enum class FormId : int;

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

// Loads, shows, hides and unloads the program's windows. A window that is not
// loaded does not exist; showing it loads it first. Activation runs when a
// window is shown and was not already the active one, so a message box
// closing over it, or a return from another program, does not activate it.
class Forms : public QObject
{
    Q_OBJECT
public:
    using Factory = std::function<Form *()>;

    static Forms &instance();

    // Windows are unloaded all together in the order they were registered.
    void setFactory(FormId id, Factory factory);
    // The window the exercises return to.
    void setHome(FormId id) { m_home = id; }

    bool isLoaded(FormId id) const { return loaded(id) != nullptr; }
    Form *loaded(FormId id) const;
    QWidget *widget(FormId id) const;

    Form *load(FormId id);
    void show(FormId id);
    void showHome();
    void hide(FormId id);
    void hide(const Form *form);
    // The window goes away at once as far as the program is concerned; the
    // object itself is deleted once its running handler has returned.
    void unload(FormId id);
    void unload(const Form *form);
    void unloadAll();

signals:
    // A window was built, before it loads: its controls all exist.
    void built(QWidget *window);
    // A window is unloaded and will be deleted: nothing may read it again.
    void unloading(QWidget *window);
    // The last loaded window was unloaded: the program ends.
    void allUnloaded();

private:
    struct Entry
    {
        FormId id;
        Factory factory;
        Form *form = nullptr;
    };

    Entry *entry(FormId id);
    const Entry *entry(FormId id) const;
    std::optional<FormId> idOf(const Form *form) const;

    std::vector<Entry> m_entries;
    std::optional<FormId> m_active;
    std::optional<FormId> m_home;
};
