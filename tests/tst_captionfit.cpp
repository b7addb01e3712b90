// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets.h"
#include "monkey/captionrules.h"
#include "support/fakes.h"
#include "support/program.h"
#include "support/programtexts.h"
#include "support/realstack.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdio>

// Every caption of the four windows, drawn with the program's real fonts as
// fontconfig finds them, must fit its control: no more lines than the control
// holds and no ink outside it. The test runs once per font set: the machine's
// own, and with faces taken away by a private fontconfig file, so that each
// stand-in for "MS Sans Serif" is tried in turn.
namespace {

struct FontSet
{
    const char *name;
    QStringList removed;   // families fontconfig is told to reject
    QString installed;     // the family the stand-in is made from
    const char *package;   // the Debian package that brings it
    QString expectedFace;  // the face the program must then draw with
};

const FontSet kFontSets[] = {
    {"default", {}, QStringLiteral("Liberation Sans"), "fonts-liberation", QStringLiteral("Liberation Sans")},
    {"no-liberation", {QStringLiteral("Liberation Sans")}, QStringLiteral("Arimo"), "fonts-croscore",
     QStringLiteral("Arimo")},
    // Nimbus Sans, given Arial's line metrics by the program.
    {"nimbus", {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")}, QStringLiteral("Nimbus Sans"),
     "fonts-urw-base35", QStringLiteral("Nimbus Sans Lupreda")},
    // None of them: the desktop's DejaVu Sans, condensed to Arial's widths.
    {"dejavu", {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans")},
     QStringLiteral("DejaVu Sans"), "fonts-dejavu-core", QStringLiteral("DejaVu Sans")},
};

// The family without the foundry that Qt adds where two makers share a name.
QString familyOf(const QFont &font)
{
    return QFontInfo(font).family().section(QLatin1String(" ["), 0, 0);
}

struct Caption
{
    QString control;
    QStringList texts;
};

QStringList letters()
{
    QStringList all;
    for (char c = 'A'; c <= 'Z'; ++c)
        all << QString(QLatin1Char(c)) << QString(QLatin1Char(char(c + 32)));
    return all;
}

// The captions that carry a number or a letter, the widest of each kind
// included: counters at their 16-bit limits, the clock after 32767 hours.
// Every other caption is one the monkey's rules allow word for word.
QMap<QString, QStringList> numberedCaptions(FormId id)
{
    switch (id) {
    case FormId::Chooser: return {};
    case FormId::WordOrder: return {{"Label6", {"Correzioni  0", "Correzioni  32767"}}};
    case FormId::RecognitionDrill:
    case FormId::SequenceDrill: break;
    }
    QMap<QString, QStringList> captions = {
        {"Label1", letters()},
        {"Label2", {"TEMPO TRASCORSO  0 :  0 :  1", "TEMPO TRASCORSO  32767 :  59 :  59"}},
        {"Label3", {"ESERCIZIO NUMERO  10", "ESERCIZI ESEGUITI  10", "ESERCIZI ESEGUITI  25"}},
        {"Label4", {"RISPOSTE ESATTE  25", "RISPOSTE ESATTE -32767"}},
        {"Label5", {"RISPOSTE ERRATE  0", "RISPOSTE ERRATE  32767"}},
    };
    if (id == FormId::SequenceDrill)
        captions.insert("Label11", {expected::kItalianAlphabet, expected::kItalianAlphabet.toLower(),
                                    expected::kEnglishAlphabet, expected::kEnglishAlphabet.toLower()});
    return captions;
}

// Every caption of the window's labels and buttons. The word window's
// counters Label9 and Label10 are never shown, so never seen cut.
QList<Caption> captionsOf(FormId id, const QWidget *window)
{
    QMap<QString, QStringList> all = monkey::plainCaptions(id);
    const QMap<QString, QStringList> numbered = numberedCaptions(id);
    for (auto it = numbered.begin(); it != numbered.end(); ++it)
        all[it.key()] += it.value();
    QList<Caption> captions;
    for (auto it = all.begin(); it != all.end(); ++it) {
        const bool hidden = id == FormId::WordOrder && (it.key() == "Label9" || it.key() == "Label10");
        const bool drawn = window->findChild<QLabel *>(it.key()) || window->findChild<QAbstractButton *>(it.key());
        if (drawn && !hidden && !it.value().isEmpty())
            captions.append({it.key(), it.value()});
    }
    return captions;
}

const char *nameOf(FormId id)
{
    switch (id) {
    case FormId::Chooser: return "ChooserForm";
    case FormId::RecognitionDrill: return "RecognitionDrillForm";
    case FormId::SequenceDrill: return "SequenceDrillForm";
    case FormId::WordOrder: return "WordOrderForm";
    }
    return "";
}

// Where a control draws its caption and with which flags, as its widget
// class does: a label's plain text in its contents less margin and indent, a
// button's in the style's contents rectangle, an option's beside its circle.
struct Placement
{
    QRect rect;
    int flags = 0;
    int mostLines = 0;   // 0: as many as have room
    QRect visible;       // where in rect the control shows its caption, in rect's coordinates
};

Placement placementOf(QWidget *control, const QString &text)
{
    const QFontMetrics metrics(control->font());
    Placement placement;
    if (auto *option = qobject_cast<WrappingRadioButton *>(control)) {
        placement.rect = option->captionRect();
        placement.flags = WrappingRadioButton::kCaptionFlags;
        placement.mostLines = 2;   // each option's caption wraps onto two lines
        // The option says where it draws; only its own area is seen.
        placement.visible = (placement.rect & option->rect()).translated(-placement.rect.topLeft());
        return placement;
    }
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text;
        placement.rect = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        placement.flags = Qt::AlignCenter | Qt::TextShowMnemonic;
        placement.visible = QRect(QPoint(), placement.rect.size());
        return placement;
    }
    auto *label = qobject_cast<QLabel *>(control);
    Q_ASSERT(label);
    QRect rect = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    int indent = label->indent();
    if (indent < 0 && label->frameWidth())
        indent = metrics.horizontalAdvance(QLatin1Char('x')) / 2 - label->margin();
    const Qt::Alignment align = label->alignment();
    if (indent > 0) {
        if (align & Qt::AlignLeft)
            rect.setLeft(rect.left() + indent);
        if (align & Qt::AlignTop)
            rect.setTop(rect.top() + indent);
    }
    placement.rect = rect;
    placement.flags = int(align) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    placement.visible = QRect(QPoint(), rect.size());
    return placement;
}

// The caption drawn without clipping on a margin around its place: the part
// of its ink that falls outside the place is what the pupil would not see.
QRect inkOutside(const QFont &font, const Placement &placement, const QString &text)
{
    constexpr int kMargin = 64;
    QImage image(placement.rect.size() + QSize(2 * kMargin, 2 * kMargin), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QRect place(QPoint(kMargin, kMargin), placement.rect.size());
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(place, placement.flags | Qt::TextDontClip, text);
    }
    QRect outside;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // Faint antialiasing at a glyph's edge is not yet a cut letter.
            if (qAlpha(row[x]) >= 96 && !placement.visible.translated(place.topLeft()).contains(x, y))
                outside |= QRect(x - kMargin, y - kMargin, 1, 1);
        }
    }
    return outside;
}

int linesNeeded(const QFont &font, const Placement &placement, const QString &text)
{
    const QFontMetrics metrics(font);
    const QRect needed = metrics.boundingRect(QRect(QPoint(), QSize(placement.rect.width(), 10000)),
                                              (placement.flags & ~Qt::AlignVertical_Mask) | Qt::AlignTop, text);
    return qMax(1, (needed.height() + metrics.leading()) / metrics.lineSpacing());
}

void setCaption(QWidget *control, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else
        static_cast<QAbstractButton *>(control)->setText(text);
}

QString captionOf(QWidget *control)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    return static_cast<QAbstractButton *>(control)->text();
}

QString describe(const QRect &r) { return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); }

} // namespace

class CaptionFitTest : public QObject
{
    Q_OBJECT

    const FontSet &fonts;
    FakePlatform fakes;

public:
    explicit CaptionFitTest(const FontSet &set) : fonts(set) {}

private slots:
    void initTestCase()
    {
        program::start();
        for (FormId id : {FormId::RecognitionDrill, FormId::SequenceDrill, FormId::WordOrder})
            Forms::instance().load(id);
        std::printf("font set %s: drawing with %s\n", fonts.name, qPrintable(familyOf(ui::uiFont(8.25))));
    }
    void cleanupTestCase() { program::stop(); }

    void everyControlDrawsWithTheExpectedFace_data() { windows(); }
    void everyControlDrawsWithTheExpectedFace()
    {
        QFETCH(int, form);
        QWidget *window = program::window(FormId(form));
        QStringList wrong;
        QList<QWidget *> widgets = window->findChildren<QWidget *>();
        widgets << window;
        for (QWidget *widget : std::as_const(widgets)) {
            const QString family = familyOf(widget->font());
            if (family != fonts.expectedFace)
                wrong << QStringLiteral("%1 %2 (%3 pt) draws with %4")
                             .arg(widget->metaObject()->className(), widget->objectName())
                             .arg(widget->font().pointSizeF())
                             .arg(family);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    // Whatever face stands in, a caption is as wide as in Arial, and its lines
    // as tall, at every size the windows use.
    void theStandInHasArialsWidthsAndLines()
    {
        const QString reference = QStringLiteral("Mettere in sequenza le lettere dell'alfabeto, Maiuscole o minuscole");
        constexpr double kEms[] = {29.429, 31.524};   // its width in Arial, regular and bold
        constexpr double kAscent = 0.905, kDescent = 0.212;
        QStringList wrong;
        for (double points : {8.25, 9.75, 12.0, 13.5, 18.0, 24.0}) {
            for (bool bold : {false, true}) {
                const QFont font = ui::uiFont(points, bold);
                const QFontMetricsF metrics(font);
                const double pixels = QFontInfo(font).pixelSize();
                const double width = metrics.horizontalAdvance(reference) / (kEms[bold] * pixels);
                if (width > 1.005 || width < 0.95 || std::abs(metrics.ascent() - kAscent * pixels) > 1.0
                    || std::abs(metrics.descent() - kDescent * pixels) > 1.0)
                    wrong << QStringLiteral("%1 pt%2: %3 of Arial's width, ascent %4, descent %5 px")
                                 .arg(points)
                                 .arg(bold ? " bold" : "")
                                 .arg(width, 0, 'f', 3)
                                 .arg(metrics.ascent(), 0, 'f', 1)
                                 .arg(metrics.descent(), 0, 'f', 1);
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    void everyCaptionFitsItsControl_data() { windows(); }
    void everyCaptionFitsItsControl()
    {
        QFETCH(int, form);
        const FormId id = FormId(form);
        QWidget *window = program::window(id);
        QStringList problems;
        const QList<Caption> captions = captionsOf(id, window);
        QVERIFY(!captions.isEmpty());
        for (const Caption &caption : captions) {
            QWidget *control = window->findChild<QWidget *>(caption.control);
            QVERIFY2(control, qPrintable(caption.control));
            const QString before = captionOf(control);
            for (const QString &text : caption.texts) {
                setCaption(control, text);
                // The text must be one the program writes there, or this table has drifted.
                for (const QString &problem : monkey::checkCaptions(id, window)) {
                    if (problem.startsWith(caption.control + QLatin1Char(' ')))
                        problems << problem;
                }
                // A line that has no room shows as ink outside the control,
                // as does a line that is cut.
                const Placement placement = placementOf(control, text);
                const int lines = linesNeeded(control->font(), placement, text);
                const QRect outside = inkOutside(control->font(), placement, text);
                if (!outside.isEmpty() || (placement.mostLines && lines > placement.mostLines))
                    problems << QStringLiteral("%1 \"%2\": %3 line(s) in %4 x %5 px; ink outside at %6")
                                    .arg(caption.control, text)
                                    .arg(lines)
                                    .arg(placement.rect.width())
                                    .arg(placement.rect.height())
                                    .arg(outside.isEmpty() ? QStringLiteral("none") : describe(outside));
            }
            setCaption(control, before);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Every menu of a window's bar stands in one row inside the window.
    void theMenuBarHoldsEveryMenuInOneRow_data()
    {
        QTest::addColumn<int>("form");
        for (FormId id : {FormId::RecognitionDrill, FormId::SequenceDrill, FormId::WordOrder})
            QTest::newRow(nameOf(id)) << int(id);
    }
    void theMenuBarHoldsEveryMenuInOneRow()
    {
        QFETCH(int, form);
        auto *window = static_cast<QMainWindow *>(program::window(FormId(form)));
        QMenuBar *bar = window->menuBar();
        const QList<QAction *> entries = bar->actions();
        QVERIFY(!entries.isEmpty());
        const int row = bar->actionGeometry(entries.first()).top();
        for (QAction *entry : entries) {
            const QRect place = bar->actionGeometry(entry);
            QVERIFY2(place.top() == row && place.right() < bar->width(),
                     qPrintable(QStringLiteral("%1 at %2 in a bar %3 px wide")
                                    .arg(entry->text(), describe(place))
                                    .arg(bar->width())));
        }
    }

private:
    static void windows()
    {
        QTest::addColumn<int>("form");
        for (FormId id : {FormId::Chooser, FormId::RecognitionDrill, FormId::SequenceDrill, FormId::WordOrder})
            QTest::newRow(nameOf(id)) << int(id);
    }
};

int main(int argc, char *argv[])
{
    // The first argument names the font set; the rest go to Qt Test.
    const FontSet *set = &kFontSets[0];
    if (argc > 1 && !QByteArray(argv[1]).startsWith('-')) {
        set = nullptr;
        for (const FontSet &candidate : kFontSets)
            if (QByteArray(argv[1]) == candidate.name)
                set = &candidate;
        if (!set) {
            std::fprintf(stderr, "unknown font set %s\n", argv[1]);
            return 2;
        }
        argv[1] = argv[0];
        ++argv;
        --argc;
    }

    QTemporaryDir dir;
    if (!set->removed.isEmpty()) {
        // The machine's own configuration, less the removed families.
        QString config = QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                                        "<fontconfig>\n  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n"
                                        "  <selectfont><rejectfont>\n");
        for (const QString &family : set->removed)
            config += QStringLiteral("    <pattern><patelt name=\"family\"><string>%1</string></patelt></pattern>\n").arg(family);
        config += QStringLiteral("  </rejectfont></selectfont>\n</fontconfig>\n");
        QFile file(dir.filePath(QStringLiteral("fonts.conf")));
        if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0)
            return 1;
        file.close();
        qputenv("FONTCONFIG_FILE", QFile::encodeName(file.fileName()));
    }

    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    for (const QString &family : set->removed) {
        if (QFontDatabase::hasFamily(family)) {
            std::fprintf(stderr, "fontconfig still offers %s\n", qPrintable(family));
            return 1;
        }
    }
    if (!QFontDatabase::hasFamily(set->installed)) {
        const QString what = QStringLiteral("%1 is not installed (package %2)").arg(set->installed, QLatin1String(set->package));
        return realstack::missing(what);
    }
    CaptionFitTest test(*set);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_captionfit.moc"
