// Writing a file whole or not at all, and reading the start of one.
#pragma once

#include <QByteArray>

#include <filesystem>
#include <optional>

namespace platform {

// Writes bytes to a new file in the same folder and renames it over file, so
// that a failure at any point leaves the old file as it was.
bool replaceFile(const std::filesystem::path &file, const QByteArray &bytes);

// Up to limit bytes from the start of file; nullopt when it cannot be read.
std::optional<QByteArray> readFileStart(const std::filesystem::path &file, qint64 limit);

} // namespace platform
