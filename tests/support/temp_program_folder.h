// A throw-away program folder (three levels, empty data) and 16-bit little-endian values.
#pragma once

#include "levelfile/int16.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

inline QByteArray int16s(const QList<int> &values)
{
    QByteArray bytes;
    for (int value : values)
        levelfile::appendInt16(bytes, static_cast<std::int16_t>(value));
    return bytes;
}

class TempProgramFolder
{
public:
    TempProgramFolder()
    {
        std::filesystem::create_directories(path() / "levels");
        std::filesystem::create_directories(path() / "data");
        write("levels/levels.ini", "3\r\n");
    }

    std::filesystem::path path() const { return dir.path().toStdString(); }
    void write(const std::filesystem::path &relative, const QByteArray &bytes) const
    {
        std::ofstream(path() / relative, std::ios::binary | std::ios::trunc).write(bytes.constData(), bytes.size());
    }
    // Empty for a folder or a missing file.
    QByteArray read(const std::filesystem::path &relative) const
    {
        QFile in(QString::fromStdString((path() / relative).string()));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    bool exists(const std::filesystem::path &relative) const { return std::filesystem::exists(path() / relative); }

private:
    QTemporaryDir dir;
};
