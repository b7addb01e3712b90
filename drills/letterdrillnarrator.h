// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "accessibility/accessibility.h"
#include "accessibility/narration.h"

// What a letter drill window says to a screen reader: the letter asked, the
// verdicts, the options and the results, all from its own captions.
class LetterDrillNarrator : public narration::WindowNarrator
{
public:
    // sequenceLabel: null where the window shows no sequence.
    LetterDrillNarrator(const char *alphabetLabel, const char *sequenceLabel);

    narration::Snapshot read(const QWidget *window) const override;
    QHash<QString, narration::Spoken> standing(const narration::Snapshot &state) const override;
    QString news(const narration::Snapshot &before, const narration::Snapshot &after,
                 const QString &origin) const override;

private:
    static QString prompt(const narration::Snapshot &state);
    static QString spelled(const QString &letters);
    static QString verdict(const narration::Snapshot &state);
    static narration::Spoken enterBox(const narration::Snapshot &state);
    static QString results(const narration::Snapshot &state);
    static QString spokenClock(const QString &clock);

    static constexpr int kLettersTold = 3;

    const char *m_alphabetLabel;
    const char *m_sequenceLabel;
};

// The roles of a letter drill window's controls, the same in both drills.
std::span<const accessibility::ControlRole> letterDrillRoles();
