// Paths and whole-file reads and writes.
#include "platform/files.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace platform {
namespace {

// Only the old bytes that the new content covers are kept, however long the
// file, and put back if the new content cannot be written whole; the file is
// cut to length only once the new content stands.
bool overwriteInPlace(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    const qint64 oldSize = file.size();
    const QByteArray covered = file.read(std::min<qint64>(oldSize, bytes.size()));
    if (file.error() != QFileDevice::NoError || !file.seek(0))
        return false;
    if (file.write(bytes) == bytes.size() && file.resize(bytes.size()))
        return true;
    file.seek(0);
    file.write(covered);
    file.resize(oldSize);
    return false;
}

} // namespace

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

bool replaceFile(const std::filesystem::path &file, const QByteArray &bytes)
{
    const QString name = toQString(file);
    QSaveFile out(name);
    // Unbuffered, so that a full disk fails the write itself: a buffered
    // write fails only at commit, which then still renames the short file
    // over the old one.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QFile::exists(name) && overwriteInPlace(name, bytes);
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

std::optional<QByteArray> readFileStart(const std::filesystem::path &file, qint64 limit)
{
    QFile in(toQString(file));
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = in.read(limit);
    if (in.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace platform
