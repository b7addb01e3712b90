// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/programfont.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QRect>

#include <initializer_list>
#include <span>

class QMainWindow;
class QWidget;

// Windows are described as data, in the units of their design: places and
// sizes in twips, fonts in points, colours as RGB. One builder makes them.
namespace ui {

constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
QRect twipRect(int left, int top, int width, int height);

struct Colour
{
    int r = -1, g = 0, b = 0;
    constexpr bool isSet() const { return r >= 0; }
    QColor toQColor() const { return QColor(r, g, b); }
};

namespace colours {
constexpr Colour Blue{0, 0, 255};
constexpr Colour Red{255, 0, 0};
constexpr Colour Green{0, 255, 0};
constexpr Colour Yellow{255, 255, 0};
constexpr Colour Cyan{0, 255, 255};
constexpr Colour LightYellow{255, 255, 192};
constexpr Colour LightCyan{128, 255, 255};
constexpr Colour Purple{128, 0, 128};
} // namespace colours

enum class Kind { Label, Button, OptionButton, TextBox, MultiLineTextBox, ListBox, Frame };
enum class Align { Left, Centre };

struct ControlDesign
{
    const char *name;
    Kind kind;
    const char *text = "";
    int left = 0, top = 0, width = 0, height = 0;
    double fontPt = 0;              // 0: the window's font
    bool regular = false;           // regular weight instead of bold
    Colour fg = {};                 // unset: the system's colour
    Colour bg = {};                 // unset: the system's colour; a label is then transparent
    Align align = Align::Left;
    bool border = false;            // text boxes, lists and labels
    bool visible = true;
    bool enabled = true;
    bool readOnly = false;
    bool verticalScrollBar = false;
    bool cancel = false;            // Esc clicks this button
    const char *parent = nullptr;   // a frame's name; null: the client area
};

struct WindowDesign
{
    const char *className;
    const char *title;
    int clientWidth, clientHeight;
    int left, top;                  // the client area's corner on the screen
    Colour background;
    double fontPt = kWindowFontPoints;
};

enum class MenuKind { Menu, Item, Separator, Command };

// Menus in the order of the menu bar: a Menu opens the Items that follow it;
// a Command is a menu-bar entry of its own.
struct MenuDesign
{
    MenuKind kind;
    const char *name;
    const char *caption = "";
    bool enabled = true;
};

// Title, name, font, colour, fixed client size and frame buttons of a window;
// client is the widget whose top-left is the client area's.
void setupWindow(QWidget *window, QWidget *client, const WindowDesign &design);
// Puts the client area's corner where the design says; call once the menus exist.
void placeWindow(QWidget *window, const WindowDesign &design);

void buildControls(QWidget *client, std::span<const ControlDesign> controls, double windowFontPt);
void buildMenus(QMainWindow *window, std::span<const MenuDesign> menus);
// A window with a menu bar, whole: its client area (returned) as the central
// widget, the controls on it, the menus, and its place on the screen.
QWidget *buildMenuWindow(QMainWindow *window, const WindowDesign &design, std::span<const ControlDesign> controls,
                         std::span<const MenuDesign> menus);
void setTabOrder(QWidget *root, std::initializer_list<const char *> names);

template <class T>
T *control(const QObject *root, const char *name)
{
    T *found = root->findChild<T *>(QLatin1String(name));
    Q_ASSERT_X(found, "ui::control", name);
    return found;
}

} // namespace ui
