// The folder of the running program and conversions between Qt's strings
// and file system paths.
#pragma once

#include <QString>

#include <filesystem>

namespace platform {

std::filesystem::path programFolder();
std::filesystem::path toPath(const QString &name);
QString toQString(const std::filesystem::path &path);

} // namespace platform
