// The program's folder, conversions between Qt's strings and file system
// paths, and whole-file reads and writes of the data files. Each of them
// opens only a regular file (or a link to one): anything else counts as a
// file that cannot be read or written, at once and without waiting.
#pragma once

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <optional>

namespace platform {

std::filesystem::path programFolder();
// Names whose bytes are not UTF-8 come back from toQString() to toPath()
// with the same bytes.
std::filesystem::path toPath(const QString &name);
QString toQString(const std::filesystem::path &path);

// Writes bytes as the whole content of file, so that a failure at any point
// leaves the old content as it was. The bytes go to a new file in the same
// folder that is then renamed over file; where the folder refuses new files
// but file itself may be written, file is overwritten in place instead.
// Nothing that is not a regular file is replaced or written through.
bool replaceFile(const std::filesystem::path &file, const QByteArray &bytes);

// Writes bytes over the start of file, creating it when missing; a longer
// file keeps its tail. Whole or not at all: when a write fails, the old
// bytes are put back and the file cut to its old length, and a file that
// this call created is removed.
bool writeFileStart(const std::filesystem::path &file, const QByteArray &bytes);

// Up to limit bytes from the start of file; nullopt when it cannot be read.
std::optional<QByteArray> readFileStart(const std::filesystem::path &file, qint64 limit);

} // namespace platform
