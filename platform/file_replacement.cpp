// Whole-file writes.
#include "platform/file_replacement.h"

#include "platform/paths.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

bool replaceFile(const std::filesystem::path &file, const QByteArray &bytes)
{
    QSaveFile out(toQString(file));
    // Unbuffered, so that a full disk fails the write itself: a buffered
    // write fails only at commit, which then still renames the short file
    // over the old one.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
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
