// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/linemetrics.h"

#include <QFile>
#include <QFontDatabase>
#include <QStandardPaths>
#include <QtEndian>

#include <optional>

namespace ui {

namespace {

// Arial's line metrics, as Liberation Sans and Arimo copy them, in
// thousandths of the em: the ascent and descent a line is laid out with, the
// gap between lines, and the typographic ascent, descent and gap.
constexpr int kAscent = 905;
constexpr int kDescent = 212;
constexpr int kLineGap = 33;
constexpr int kTypoAscent = 728;
constexpr int kTypoDescent = 210;
constexpr int kTypoLineGap = 150;

struct Table
{
    qsizetype record;   // its entry in the table directory
    qsizetype offset;
    qsizetype length;
};

quint16 read16(const QByteArray &font, qsizetype at) { return qFromBigEndian<quint16>(font.constData() + at); }
quint32 read32(const QByteArray &font, qsizetype at) { return qFromBigEndian<quint32>(font.constData() + at); }
void write16(QByteArray &font, qsizetype at, int value) { qToBigEndian<quint16>(quint16(value), font.data() + at); }
void write32(QByteArray &font, qsizetype at, quint32 value) { qToBigEndian<quint32>(value, font.data() + at); }

std::optional<Table> findTable(const QByteArray &font, const char *tag, qsizetype leastLength)
{
    if (font.size() < 12)
        return std::nullopt;
    const int count = read16(font, 4);
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 12 + 16 * qsizetype(i);
        if (record + 16 > font.size())
            return std::nullopt;
        if (font.mid(record, 4) != QByteArray(tag, 4))
            continue;
        const Table table{record, qsizetype(read32(font, record + 8)), qsizetype(read32(font, record + 12))};
        if (table.length < leastLength || table.offset + table.length > font.size())
            return std::nullopt;
        return table;
    }
    return std::nullopt;
}

// A name table that gives the face the family name and the style alone, in
// the Windows Unicode English records fontconfig reads.
QByteArray nameTable(const QString &family, const QString &style)
{
    const QString fullName = family + QLatin1Char(' ') + style;
    QString postScript = fullName;
    postScript.remove(QLatin1Char(' '));
    const QList<std::pair<int, QString>> names = {{1, family}, {2, style}, {4, fullName}, {6, postScript}};
    QByteArray strings;
    QByteArray table(6 + 12 * names.size(), '\0');
    write16(table, 2, int(names.size()));
    write16(table, 4, int(table.size()));
    for (int i = 0; i < names.size(); ++i) {
        QByteArray text(names[i].second.size() * 2, '\0');
        for (int c = 0; c < names[i].second.size(); ++c)
            write16(text, 2 * c, names[i].second.at(c).unicode());
        const qsizetype record = 6 + 12 * qsizetype(i);
        write16(table, record, 3);         // Windows
        write16(table, record + 2, 1);     // Unicode BMP
        write16(table, record + 4, 0x409); // English
        write16(table, record + 6, names[i].first);
        write16(table, record + 8, int(text.size()));
        write16(table, record + 10, int(strings.size()));
        strings += text;
    }
    return table + strings;
}

int inUnits(int thousandths, int unitsPerEm) { return (thousandths * unitsPerEm + 500) / 1000; }

} // namespace

QByteArray withArialLineMetrics(QByteArray font, const QString &family, const QString &style)
{
    const auto head = findTable(font, "head", 54);
    const auto hhea = findTable(font, "hhea", 36);
    const auto os2 = findTable(font, "OS/2", 78);
    const auto name = findTable(font, "name", 6);
    if (!head || !hhea || !os2 || !name)
        return {};
    const int unitsPerEm = read16(font, head->offset + 18);
    if (unitsPerEm < 16)
        return {};
    write16(font, hhea->offset + 4, inUnits(kAscent, unitsPerEm));
    write16(font, hhea->offset + 6, -inUnits(kDescent, unitsPerEm));
    write16(font, hhea->offset + 8, inUnits(kLineGap, unitsPerEm));
    write16(font, os2->offset + 68, inUnits(kTypoAscent, unitsPerEm));
    write16(font, os2->offset + 70, -inUnits(kTypoDescent, unitsPerEm));
    write16(font, os2->offset + 72, inUnits(kTypoLineGap, unitsPerEm));
    write16(font, os2->offset + 74, inUnits(kAscent, unitsPerEm));
    write16(font, os2->offset + 76, inUnits(kDescent, unitsPerEm));
    // Lines are laid out with the ascent and descent above, not the typographic ones.
    write16(font, os2->offset + 62, read16(font, os2->offset + 62) & ~0x80);

    // The new name table goes at the end, on a four-byte boundary.
    font.append((4 - font.size() % 4) % 4, '\0');
    const QByteArray names = nameTable(family, style);
    write32(font, name->record + 8, quint32(font.size()));
    write32(font, name->record + 12, quint32(names.size()));
    font += names;
    return font;
}

QString registerNimbusSansWithArialLines()
{
    static const std::optional<QString> registered = []() -> std::optional<QString> {
        const QString family = QStringLiteral("Nimbus Sans Lupreda");
        // Both faces or neither: half a family would be found and never used.
        QList<int> added;
        const auto withdraw = [&added] {
            for (int id : added)
                QFontDatabase::removeApplicationFont(id);
            return std::nullopt;
        };
        for (const char *style : {"Regular", "Bold"}) {
            // Where Debian and other distributions put URW's base 35 in OpenType.
            QString path;
            for (const char *folder : {"fonts/opentype/urw-base35", "fonts/urw-base35"}) {
                path = QStandardPaths::locate(
                    QStandardPaths::GenericDataLocation,
                    QStringLiteral("%1/NimbusSans-%2.otf").arg(QLatin1String(folder), QLatin1String(style)));
                if (!path.isEmpty())
                    break;
            }
            QFile file(path);
            if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
                return withdraw();
            const QByteArray patched = withArialLineMetrics(file.readAll(), family, QLatin1String(style));
            const int id = patched.isEmpty() ? -1 : QFontDatabase::addApplicationFontFromData(patched);
            if (id >= 0)
                added << id;
            if (id < 0 || !QFontDatabase::applicationFontFamilies(id).contains(family))
                return withdraw();
        }
        return family;
    }();
    return registered.value_or(QString());
}

} // namespace ui
