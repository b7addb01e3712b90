// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/choosernarrator.h"

#include "accessibility/narratortools.h"
#include "app/choosercontrols.h"

namespace names = choosercontrols;

using namespace narration;

namespace {

// The chooser reports nothing while the pupil chooses; its frame is named
// after what the options are for. ESCI, where the focus rests as the program
// opens, tells what there is to choose and how.
class ChooserNarrator : public WindowNarrator
{
public:
    Snapshot read(const QWidget *) const override { return {}; }
    QHash<QString, Spoken> standing(const Snapshot &) const override
    {
        return {
            {QString::fromLatin1(names::Frame1), named("Scegli l'esercizio")},
            {QString::fromLatin1(names::Command1),
             {QString(), QStringLiteral("Ci sono tre esercizi. Tab porta alla scelta, le frecce passano da un "
                                        "esercizio all'altro, Spazio apre quello scelto.")}},
        };
    }
    QString news(const Snapshot &, const Snapshot &, const QString &) const override { return {}; }
};

} // namespace

const accessibility::WindowDescription &chooserDescription()
{
    using accessibility::Role;
    static const accessibility::ControlRole roles[] = {
        {nullptr, Role::Window},
        {names::Frame1, Role::Group},
    };
    static const ChooserNarrator narrator;
    static const accessibility::WindowDescription description{roles, &narrator};
    return description;
}
