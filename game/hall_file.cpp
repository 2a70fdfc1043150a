// Hall of fame file contents.
#include "game/hall_file.h"

#include "levelfile/leading_number.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace game::hall_file {
namespace {

// The file's code page. Characters it cannot hold become '?'.
QByteArray toWindows1250(const QString &text)
{
    // Character by character, so that whatever the converter substitutes for
    // an unknown character, it ends up as '?'.
    QByteArray bytes;
    bytes.reserve(text.size());
    QStringEncoder encoder("windows-1250", QStringConverter::Flag::Stateless);
    QStringDecoder decoder("windows-1250", QStringConverter::Flag::Stateless);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        const QStringView character = QStringView(text).mid(i, length);
        const QByteArray encoded = encoder.encode(character);
        if (encoded.size() == 1 && QString(decoder.decode(encoded)) == character)
            bytes += encoded;
        else
            bytes += '?';
        i += length - 1;
    }
    return bytes;
}

QString fromWindows1250(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1250", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace

HallTable initialTable()
{
    return {{
        {QStringLiteral("Super-kolik"), QStringLiteral("1000")},
        {QStringLiteral("Amatér"), QStringLiteral("800")},
        {QStringLiteral("Hňup"), QStringLiteral("600")},
        {QStringLiteral("Vobyčejnej-kolik"), QStringLiteral("400")},
        {QStringLiteral("Nikdo"), QStringLiteral("200")},
    }};
}

void apply(const QByteArray &bytes, HallTable &table)
{
    const qsizetype lineCount = static_cast<qsizetype>(2 * table.size());
    qsizetype start = 0;
    for (qsizetype n = 0; n < lineCount && start < bytes.size(); ++n) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QString line = fromWindows1250(bytes.mid(start, end - start));
        HallPlace &place = table[static_cast<std::size_t>(n / 2)];
        (n % 2 == 0 ? place.name : place.score) = line;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

QByteArray bytes(const HallTable &table)
{
    QByteArray out;
    for (const HallPlace &place : table) {
        out += toWindows1250(place.name) + "\r\n";
        out += toWindows1250(place.score) + "\r\n";
    }
    return out;
}

std::optional<int> placeFor(const HallTable &table, double score)
{
    for (int k = 0; k < 5; ++k) {
        if (score > leadingNumber(table[static_cast<std::size_t>(k)].score))
            return k;
    }
    return std::nullopt;
}

// The number's characters converted whole, to the exact double of its digits.
// A character beyond Latin-1 comes as 0, which ends the number as any other
// character outside it does.
double leadingNumber(const QString &text)
{
    levelfile::LeadingNumber reader;
    QString number;
    for (const QChar character : text) {
        const auto part = reader.next(character.toLatin1());
        if (part == levelfile::LeadingNumber::Part::End)
            break;
        if (part != levelfile::LeadingNumber::Part::Blank)
            number += character;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
}

QString storableName(const QString &typed)
{
    QString name = typed;
    name.remove(QLatin1Char('\r'));
    name.remove(QLatin1Char('\n'));
    return fromWindows1250(toWindows1250(name));
}

} // namespace game::hall_file
