// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/programfont.h"

#include "ui/linemetrics.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>

#include <fontconfig/fontconfig.h>

namespace ui {

namespace {

// Faces drawn to the widths of Arial, for which the windows are laid out, in
// order of preference: Liberation Sans (the package's dependency), Arimo (the
// ChromeOS core fonts), Nimbus Sans (URW's base 35, which Ghostscript brings
// onto most desktops), then older names and other makers of the same widths.
// Only installed faces can stand in: Qt matches a substitute against the faces
// fontconfig lists and follows none of fontconfig's aliases, so a name such as
// "Arial" only counts where a real Arial is installed.
const char *const kMetricFaces[] = {"Liberation Sans", "Arimo", "Nimbus Sans", "Nimbus Sans L", "FreeSans",
                                    "Arial", "Helvetica"};

// A caption of usual Italian letters and its width in Arial's widths, in ems,
// regular and bold; a face without those widths is condensed to them.
const QString kReference = QStringLiteral("Ordinare alfabeticamente dei nomi, prelevati da una lista o digitati da tastiera");
constexpr double kReferenceEms[] = {33.963, 36.565};

// Whether "MS Sans Serif" or one of its stand-ins is installed.
bool g_sameWidths = true;

// The stretch, in percent, that gives the font Arial's widths: measured at
// its own size, as hinting may round the widths differently at each size.
int condensingStretch(const QFont &font)
{
    static QHash<QPair<int, bool>, int> stretches;
    const QPair<int, bool> key(qRound(font.pointSizeF() * 100), font.bold());
    if (const auto found = stretches.constFind(key); found != stretches.constEnd())
        return *found;
    const double wanted = kReferenceEms[font.bold() ? 1 : 0] * QFontInfo(font).pixelSize();
    QFont condensed = font;
    int stretch = int(100 * wanted / QFontMetricsF(font).horizontalAdvance(kReference));
    for (stretch = qBound(50, stretch, 100); stretch > 50; --stretch) {
        condensed.setStretch(stretch);
        if (QFontMetricsF(condensed).horizontalAdvance(kReference) <= wanted)
            break;
    }
    stretches.insert(key, stretch);
    return stretch;
}

// Whether fontconfig lists a face of the family. Asked of fontconfig itself,
// as Qt builds its whole font database to answer, which would hold up the
// first window by several milliseconds on every start.
bool fontconfigHas(const char *family)
{
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family));
    FcObjectSet *properties = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet *faces = FcFontList(nullptr, pattern, properties);
    const bool found = faces && faces->nfont > 0;
    if (faces)
        FcFontSetDestroy(faces);
    FcObjectSetDestroy(properties);
    FcPatternDestroy(pattern);
    return found;
}

} // namespace

QFont uiFont(double pointSize, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    if (!g_sameWidths)
        font.setStretch(condensingStretch(font));
    return font;
}

void installProgramFont()
{
    QStringList faces;
    for (const char *face : kMetricFaces)
        faces << QLatin1String(face);
    QFont::removeSubstitutions(QStringLiteral("MS Sans Serif"));
    g_sameWidths = true;
    if (fontconfigHas("Liberation Sans") || fontconfigHas("Arimo") || fontconfigHas("Arial")) {
        // The usual case: a face with Arial's widths and lines.
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), faces);
    } else {
        // Where fontconfig offers Nimbus Sans, it is given Arial's lines
        // before it stands in.
        if (fontconfigHas("Nimbus Sans")) {
            const QString nimbus = registerNimbusSansWithArialLines();
            if (!nimbus.isEmpty())
                faces.insert(faces.indexOf(QLatin1String("Nimbus Sans")), nimbus);
        }
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), faces);
        // With none of them the desktop's own face stands in, condensed to
        // Arial's widths: its lines are close enough to Arial's, its letters
        // mostly wider.
        const QString face = QFontInfo(uiFont(kWindowFontPoints)).family().section(QLatin1String(" ["), 0, 0);
        g_sameWidths = face == QLatin1String("MS Sans Serif") || faces.contains(face);
    }
    // Qt's own menus and boxes (a text box's edit menu, the message boxes)
    // speak in the same typeface as the windows, at the size of their menus.
    QApplication::setFont(uiFont(kWindowFontPoints, false));
}

} // namespace ui
