// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/letterdrillnarrator.h"

#include "accessibility/narratortools.h"
#include "drills/drillcontrols.h"

#include <QAbstractButton>
#include <QRegularExpression>
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
    const auto *pause = window->findChild<QAbstractButton *>(QString::fromLatin1(names::Command2));
    state.insert(QStringLiteral("paused"), flag(pause && pause->text().contains(QLatin1String("CONTINUA"))));
    return state;
}

QHash<QString, Spoken> LetterDrillNarrator::standing(const Snapshot &state) const
{
    QHash<QString, Spoken> said{
        {QString::fromLatin1(names::Text1), {QStringLiteral("Risposta"), prompt(state)}},
        {QString::fromLatin1(names::Text2), enterBox(state)},
        // Once a session has ended, NUOVO is where the focus rests by the results.
        {QString::fromLatin1(names::Command1),
         {QString(), !state.value("results").isEmpty() && !state.value("idle").isEmpty() ? results(state)
                                                                                            : QString()}},
        // The labels read in a review of the window: the clock in words, not
        // with its colons. An empty name lets the caption speak for itself.
        {QString::fromLatin1(names::Label2), {QStringLiteral("%1").arg(spokenClock(state.value(names::Label2))), QString()}},
    };
    // The options chosen, as the labels show them.
    const auto option = [&](const char *item, bool chosen) {
        Spoken said;
        said.chosen = chosen ? 1 : 0;
        return std::pair{QString::fromLatin1(item), said};
    };
    const bool italian = state.value("alphabet") == QLatin1String("Alfabeto Italiano");
    const bool capitals = state.value(names::Label8) == QLatin1String("Lettere Maiuscole");
    for (const auto &[item, spoken] : {option(names::Mnu_Italiano, italian), option(names::Mnu_Inglese, !italian),
                                       option(names::Mnu_Maiuscole, capitals), option(names::Mnu_minuscole, !capitals)})
        said.insert(item, spoken);
    // The whole sequence stays within reach of the screen reader's review.
    if (m_sequenceLabel) {
        const QString sequence = state.value("sequence");
        said.insert(QString::fromLatin1(m_sequenceLabel),
                    {sequence.isEmpty() ? QStringLiteral("") : QStringLiteral("Sequenza %1").arg(spelled(sequence)), QString()});
    }
    return said;
}

QString LetterDrillNarrator::news(const Snapshot &before, const Snapshot &after, const QString &origin) const
{
    QStringList parts;
    const bool pauseKey = origin == QLatin1String(names::Command2) || origin == QLatin1String(names::Mnu_Sospendi);
    if (pauseKey && after.value("paused") != before.value("paused"))
        parts << (after.value("paused").isEmpty() ? QStringLiteral("Esercizio ripreso")
                                                  : QStringLiteral("Esercizio sospeso, premi CONTINUA per riprendere"));
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
    // The last few letters only: the whole sequence, read again at every
    // letter, would take longer than the answer.
    const QString sequence = state.value("sequence");
    if (sequence.size() > kLettersTold)
        parts << QStringLiteral("Ultime lettere %1").arg(spelled(sequence.right(kLettersTold)));
    else if (!sequence.isEmpty())
        parts << QStringLiteral("Sequenza %1").arg(spelled(sequence));
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

// The box that waits for Enter is a Tab stop only while a verdict waits:
// otherwise Tab would land on a box that says nothing the pupil needs.
Spoken LetterDrillNarrator::enterBox(const Snapshot &state)
{
    Spoken said{verdict(state), QString()};
    said.skippedByTab = state.value(names::Label7).isEmpty();
    return said;
}

QString LetterDrillNarrator::results(const Snapshot &state)
{
    return sentences({state.value(names::Label3), state.value(names::Label4), state.value(names::Label5),
                      spokenClock(state.value(names::Label2))});
}

// "TEMPO TRASCORSO  0 :  4 : 31" as "TEMPO TRASCORSO 4 minuti e 31 secondi";
// anything else as it is.
QString LetterDrillNarrator::spokenClock(const QString &clock)
{
    static const QRegularExpression shown(QStringLiteral("^(.*?)\\s*(-?\\d+)\\s*:\\s*(-?\\d+)\\s*:\\s*(-?\\d+)\\s*$"));
    const QRegularExpressionMatch match = shown.match(clock);
    if (!match.hasMatch())
        return clock;
    const int hours = match.captured(2).toInt(), minutes = match.captured(3).toInt(), seconds = match.captured(4).toInt();
    const auto amount = [](int n, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
    };
    QStringList parts;
    if (hours)
        parts << amount(hours, "ora", "ore");
    if (hours || minutes)
        parts << amount(minutes, "minuto", "minuti");
    parts << amount(seconds, "secondo", "secondi");
    const QString last = parts.takeLast();
    const QString time = parts.isEmpty() ? last : parts.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last;
    return match.captured(1).trimmed() + QLatin1Char(' ') + time;
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
