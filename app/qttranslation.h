// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's own texts (a text box's edit menu, a scroll bar's menu, the buttons of
// the message boxes) in Italian, whatever the desktop's language: the whole
// program speaks Italian. The translation is Debian's qtbase_it.qm, from the
// package qt6-translations-l10n; without it Qt's texts stay in English and a
// warning says which file is missing. Loaded once; later calls do nothing.
void installQtTranslation();
