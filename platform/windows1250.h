// The code page of the program's text files.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Characters the code page cannot hold become '?'.
QByteArray toWindows1250(const QString &text);
QString fromWindows1250(const QByteArray &bytes);

} // namespace platform
