// Windows-1250 conversion.
#include "platform/windows1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

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

} // namespace platform
