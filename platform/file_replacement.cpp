// Whole-file writes.
#include "platform/file_replacement.h"

#include "platform/paths.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

bool replaceFile(const std::filesystem::path &file, const QByteArray &bytes)
{
    QSaveFile out(toQString(file));
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

QByteArray readFileStart(const std::filesystem::path &file, qint64 limit)
{
    QFile in(toQString(file));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.read(limit);
}

} // namespace platform
