// The program's folder, conversions between Qt's strings and file system
// paths, and whole-file reads and writes of the data files.
#pragma once

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <optional>

namespace platform {

std::filesystem::path programFolder();
std::filesystem::path toPath(const QString &name);
QString toQString(const std::filesystem::path &path);

// Writes bytes as the whole content of file, so that a failure at any point
// leaves the old content as it was. The bytes go to a new file in the same
// folder that is then renamed over file; where the folder refuses new files
// but file itself may be written, file is overwritten in place instead.
bool replaceFile(const std::filesystem::path &file, const QByteArray &bytes);

// Up to limit bytes from the start of file; nullopt when it cannot be read.
std::optional<QByteArray> readFileStart(const std::filesystem::path &file, qint64 limit);

} // namespace platform
