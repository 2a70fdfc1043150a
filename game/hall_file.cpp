// Hall of fame file contents.
#include "game/hall_file.h"

#include "platform/windows1250.h"

#include <QRegularExpression>

namespace game::hall_file {

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
        const QString line = platform::fromWindows1250(bytes.mid(start, end - start));
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
        out += platform::toWindows1250(place.name) + "\r\n";
        out += platform::toWindows1250(place.score) + "\r\n";
    }
    return out;
}

double leadingNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[ \\t]*([-+]?[0-9]*\\.?[0-9]*)"));
    bool ok = false;
    const double value = number.match(text).captured(1).toDouble(&ok);
    return ok ? value : 0;
}

QString storableName(const QString &typed)
{
    QString name = typed;
    name.remove(QLatin1Char('\r'));
    name.remove(QLatin1Char('\n'));
    return platform::fromWindows1250(platform::toWindows1250(name));
}

} // namespace game::hall_file
