// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/letterdrillnarrator.h"

#include "accessibility/narratortools.h"
#include "drills/drillcontrols.h"

#include <QWidget>

namespace names = drillcontrols;

using namespace narration;

LetterDrillNarrator::LetterDrillNarrator(const char *alphabetLabel, const char *sequenceLabel)
    : m_alphabetLabel(alphabetLabel), m_sequenceLabel(sequenceLabel)
{
}

Snapshot LetterDrillNarrator::read(const QWidget *window) const
{
    Snapshot state;
    for (const char *label : {names::Label1, names::Label2, names::Label3, names::Label4, names::Label5, names::Label6, names::Label7, names::Label8, names::Label10})
        state.insert(QLatin1String(label), caption(window, label));
    state.insert(QStringLiteral("alphabet"), caption(window, m_alphabetLabel));
    if (m_sequenceLabel)
        state.insert(QStringLiteral("sequence"), caption(window, m_sequenceLabel));
    state.insert(QStringLiteral("results"), flag(shown(window, names::Label3)));
    const auto *nuovo = window->findChild<QWidget *>(QString::fromLatin1(names::Command1));
    state.insert(QStringLiteral("idle"), flag(nuovo && nuovo->isEnabled()));
    return state;
}

QHash<QString, Spoken> LetterDrillNarrator::standing(const Snapshot &state) const
{
    return {
        {QString::fromLatin1(names::Text1), {QStringLiteral("Risposta"), prompt(state)}},
        {QString::fromLatin1(names::Text2), {verdict(state), QString()}},
        // Once a session has ended, NUOVO is where the focus rests by the results.
        {QString::fromLatin1(names::Command1),
         {QString(), !state.value("results").isEmpty() && !state.value("idle").isEmpty() ? results(state)
                                                                                            : QString()}},
    };
}

QString LetterDrillNarrator::news(const Snapshot &before, const Snapshot &after, const QString &) const
{
    QStringList parts;
    if (!after.value("results").isEmpty() && before.value("results").isEmpty())
        parts << results(after);
    for (const char *option : {"alphabet", names::Label8})
        if (after.value(option) != before.value(option))
            parts << after.value(option);
    return sentences(parts);
}

// The letter asked, in words that tell its case, then the instruction.
QString LetterDrillNarrator::prompt(const Snapshot &state)
{
    const QString letter = state.value(names::Label1);
    if (letter.size() != 1)
        return {};
    const QChar c = letter.front();
    const QString kind = c.isUpper() ? QStringLiteral("maiuscola") : QStringLiteral("minuscola");
    QStringList parts{QStringLiteral("Lettera %1 %2").arg(letter, kind), state.value(names::Label10)};
    const QString sequence = state.value("sequence");
    if (!sequence.isEmpty())
        parts << QStringLiteral("Sequenza: %1").arg(spelled(sequence));
    return sentences(parts);
}

// Letter by letter, so that a speech synthesiser does not read a word.
QString LetterDrillNarrator::spelled(const QString &letters)
{
    QStringList spaced;
    for (QChar c : letters)
        spaced << QString(c);
    return spaced.join(QLatin1Char(' '));
}

// The verdict on the answer and the request to press Enter; the box that
// waits for Enter has nothing else to say.
QString LetterDrillNarrator::verdict(const Snapshot &state)
{
    const QString said = sentences({state.value(names::Label6), state.value(names::Label7)});
    return said.isEmpty() ? QStringLiteral("Invio per continuare") : said;
}

QString LetterDrillNarrator::results(const Snapshot &state)
{
    return sentences({state.value(names::Label3), state.value(names::Label4), state.value(names::Label5), state.value(names::Label2)});
}

std::span<const accessibility::ControlRole> letterDrillRoles()
{
    using accessibility::Role;
    static const accessibility::ControlRole roles[] = {
        {names::Label2, Role::ActionLabel}, {names::Label3, Role::ActionLabel}, {names::Label4, Role::ActionLabel},
        {names::Label5, Role::ActionLabel}, {names::Text2, Role::EnterBox, names::Text1},
    };
    return roles;
}
