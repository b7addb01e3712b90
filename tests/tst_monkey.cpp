// SPDX-License-Identifier: GPL-3.0-or-later
#include "monkey/captionrules.h"
#include "monkey/eventlog.h"
#include "monkey/pupil.h"
#include "monkey/wordchecks.h"
#include "support/fakes.h"
#include "support/program.h"
#include "support/programtexts.h"
#include "wordorder/wordorderform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QTest>

#include <sys/resource.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

// A seeded random walk of a pupil's events through all four windows, reached
// through the chooser; after every event the windows must still make sense.
// LUPREDA_MONKEY_SEED and LUPREDA_MONKEY_EVENTS (or --seed and --events) set
// the walk; the same seed gives the same events.

namespace {

constexpr FormId kForms[] = {FormId::Chooser, FormId::RecognitionDrill, FormId::SequenceDrill, FormId::WordOrder};
const char *const kFormNames[] = {"ChooserForm", "RecognitionDrillForm", "SequenceDrillForm", "WordOrderForm"};

const char *formName(FormId id) { return kFormNames[int(id)]; }

struct Settings
{
    quint64 seed = 1996;
    long events = 3000;
    int eventLimitMs = 5000;   // an event that runs longer has hung

    static Settings fromEnvironment()
    {
        Settings settings;
        bool ok = false;
        if (const quint64 seed = qEnvironmentVariable("LUPREDA_MONKEY_SEED").toULongLong(&ok); ok)
            settings.seed = seed;
        if (const long events = qEnvironmentVariable("LUPREDA_MONKEY_EVENTS").toLong(&ok); ok && events > 0)
            settings.events = events;
        if (const int limit = qEnvironmentVariableIntValue("LUPREDA_MONKEY_EVENT_LIMIT_MS", &ok); ok && limit > 0)
            settings.eventLimitMs = limit;
        return settings;
    }
};

std::optional<FormId> visibleForm()
{
    for (FormId id : kForms) {
        if (program::isVisible(id))
            return id;
    }
    return std::nullopt;
}

bool anyLoaded()
{
    return std::any_of(std::begin(kForms), std::end(kForms), [](FormId id) { return Forms::instance().isLoaded(id); });
}

// Lets the windows finish what the event started: activation, posted events,
// the deletion of an unloaded window.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// On a real desktop (the soak with a screen reader listening) keys and the
// focus take the desktop's time, and only a crash or a sanitizer's report is
// sought; offscreen, every window is checked after every event.
bool checking()
{
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

struct Figures
{
    long events = 0;
    std::array<long, monkey::kKinds> perKind{};
    QMap<QString, long> perPool;
    std::array<long, 4> visits{};
    std::array<long, 4> eventsIn{};
    long chimes = 0;
    long programEnds = 0;
    QMap<QString, long> messages;

    void count(const monkey::Event &event)
    {
        ++events;
        ++perKind[int(event.kind)];
        if (!event.pool.isEmpty())
            ++perPool[event.pool];
    }

    void print(const Settings &settings, const monkey::WordChecks &words, double seconds) const
    {
        std::printf("monkey: seed %llu, %ld events in %.1f s, %.0f events/s\n",
                    static_cast<unsigned long long>(settings.seed), events, seconds, events / std::max(seconds, 0.001));
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("monkey: peak resident memory %.1f MiB\n", usage.ru_maxrss / 1024.0);
        std::printf("  events per kind:\n");
        for (int k = 0; k < monkey::kKinds; ++k)
            std::printf("    %-16s %8ld\n", monkey::kindName(monkey::Kind(k)), perKind[k]);
        std::printf("  characters per set:\n");
        for (auto it = perPool.begin(); it != perPool.end(); ++it)
            std::printf("    %-22s %8ld\n", qPrintable(it.key()), it.value());
        std::printf("  windows shown:\n");
        for (FormId id : kForms)
            std::printf("    %-22s %8ld times, %8ld events\n", formName(id), visits[int(id)], eventsIn[int(id)]);
        std::printf("  program ended by the chooser and started again: %ld\n", programEnds);
        std::printf("  words entered: %d typed, %d drawn; %d refused; longest exercise %d words\n",
                    words.wordsTyped, words.wordsDrawn, words.wordsRefused, words.longestExercise);
        std::printf("  chimes: %ld\n", chimes);
        std::printf("  messages shown:\n");
        for (auto it = messages.begin(); it != messages.end(); ++it)
            std::printf("    %-22s %8ld\n", qPrintable(it.key()), it.value());
        std::fflush(stdout);
    }
};

// The offscreen platform cannot raise a menu or grab the keyboard for it; it
// says so each time a menu opens, which is no news.
QtMessageHandler g_testMessages = nullptr;
void quietAboutMenus(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_testMessages(type, context, message);
}

} // namespace

class MonkeyTest : public QObject
{
    Q_OBJECT

    FakePlatform fakes;
    monkey::WordChecks words;
    Figures figures;

    // The message boxes this event opened: only those the program has.
    QStringList checkMessages(qsizetype before, FormId where)
    {
        QStringList problems;
        for (qsizetype i = before; i < fakes.messages.shown.size(); ++i) {
            const auto &[prompt, title] = fakes.messages.shown[i];
            const bool drill = where == FormId::RecognitionDrill || where == FormId::SequenceDrill;
            if (prompt == QLatin1String("RIPROVA") && title == QLatin1String("ATTENTO") && drill)
                ++figures.messages["RIPROVA"];
            else if (prompt == expected::kAboutText && title == QLatin1String("Lupreda") && where != FormId::Chooser)
                ++figures.messages["Informazioni"];
            else
                problems << QStringLiteral("%1 showed the message \"%2\" titled \"%3\"").arg(formName(where), prompt, title);
        }
        return problems;
    }

    QStringList checkWindow(FormId id, const monkey::Event &event)
    {
        QWidget *window = program::window(id);
        QStringList problems = monkey::checkCaptions(id, window);
        if (QApplication::activeWindow() != window)
            problems << QStringLiteral("%1 is on screen but not the active window").arg(formName(id));
        switch (id) {
        case FormId::Chooser: problems += monkey::checkChooserState(window); break;
        case FormId::RecognitionDrill:
        case FormId::SequenceDrill: problems += monkey::checkDrillState(id, window); break;
        case FormId::WordOrder: {
            const bool drawLabel = event.kind == monkey::Kind::Click
                                   && (event.receiver == QLatin1String("Label2") || event.receiver == QLatin1String("Label7"));
            problems += words.after(qobject_cast<WordOrderForm *>(window), fakes.sound, drawLabel);
            break;
        }
        }
        return problems;
    }

    // One window on screen; or none, after the chooser's exit, and then the
    // program starts again.
    QStringList checkScreen(FormId where)
    {
        if (program::visibleCount() == 0 && !anyLoaded() && where == FormId::Chooser) {
            ++figures.programEnds;
            program::start();
            ++figures.visits[int(FormId::Chooser)];
            return {};
        }
        if (program::visibleCount() != 1)
            return {QStringLiteral("%1 windows are visible after an event in %2").arg(program::visibleCount()).arg(formName(where))};
        return {};
    }

private slots:
    void randomWalk()
    {
        const Settings settings = Settings::fromEnvironment();
        std::printf("monkey: seed %llu, %ld events\n", static_cast<unsigned long long>(settings.seed), settings.events);
        std::fflush(stdout);
        g_testMessages = qInstallMessageHandler(quietAboutMenus);
        monkey::EventLog log(settings.seed);
        monkey::Watchdog watchdog(log, std::chrono::milliseconds(settings.eventLimitMs));
        monkey::Pupil pupil(settings.seed);
        fakes.clock.value = settings.seed;

        program::start();
        ++figures.visits[int(FormId::Chooser)];
        QElapsedTimer elapsed;
        elapsed.start();
        for (long n = 1; n <= settings.events; ++n) {
            if (!checking() && !visibleForm() && !QTest::qWaitFor([] { return visibleForm().has_value(); }, 1000)) {
                // None came back on the desktop: a new start.
                program::stop();
                program::start();
            }
            const FormId where = *visibleForm();
            QWidget *window = program::window(where);
            if (where == FormId::WordOrder && checking())
                words.before(qobject_cast<WordOrderForm *>(window), fakes.sound);
            const qsizetype messagesBefore = fakes.messages.shown.size();
            const qsizetype soundBefore = fakes.sound.entries.size();
            const monkey::Event event = pupil.next(where, window);

            log.begin(n, QLatin1String(formName(where)) + QStringLiteral(": ") + event.description);
            event.perform();
            settle();
            log.end();
            figures.count(event);
            ++figures.eventsIn[int(where)];
            figures.chimes += fakes.sound.entries.mid(soundBefore).count(QStringLiteral("play"));

            QStringList problems = checkMessages(messagesBefore, where);
            problems += checkScreen(where);
            if (const std::optional<FormId> now = visibleForm(); now && problems.isEmpty()) {
                if (*now != where)
                    ++figures.visits[int(*now)];
                problems += checking() ? checkWindow(*now, event) : QStringList();
            }
            if (!problems.isEmpty() && checking()) {
                const std::string report = log.report(problems.join(QStringLiteral("\nmonkey: ")).toStdString());
                std::fprintf(stderr, "%s", report.c_str());
                QFAIL("the monkey found a fault; the replay is printed above");
            }
            // The clock that seeds the generator moves on, the same way in every run of this seed.
            fakes.clock.value += 1 + quint64(n % 7);
        }
        figures.print(settings, words, elapsed.elapsed() / 1000.0);
        program::stop();
        qInstallMessageHandler(g_testMessages);
    }
};

int main(int argc, char *argv[])
{
    // "--seed N" and "--events N" stand for the environment variables.
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--seed" || arg == "--events") && i + 1 < argc) {
            qputenv(arg == "--seed" ? "LUPREDA_MONKEY_SEED" : "LUPREDA_MONKEY_EVENTS", argv[++i]);
            continue;
        }
        args.push_back(argv[i]);
    }
    int count = int(args.size());
    QApplication app(count, args.data());
    app.setAttribute(Qt::AA_Use96Dpi, true);
    MonkeyTest test;
    return QTest::qExec(&test, count, args.data());
}

#include "tst_monkey.moc"
