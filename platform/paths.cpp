// Paths.
#include "platform/paths.h"

#include <QCoreApplication>
#include <QFile>

namespace platform {

std::filesystem::path programFolder()
{
    return toPath(QCoreApplication::applicationDirPath());
}

std::filesystem::path toPath(const QString &name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

QString toQString(const std::filesystem::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

} // namespace platform
