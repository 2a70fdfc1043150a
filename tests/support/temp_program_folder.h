// A throw-away program folder (three levels, empty data) and 16-bit little-endian values.
#pragma once

#include "levelfile/int16.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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
    // Puts contents at relative, in place of what stood there: bytes, "<folder>", "<fifo>", a link
    // to a character device of its own ("<device link>", the device beside it) or "<missing>".
    void put(const std::filesystem::path &relative, const QByteArray &contents) const
    {
        const std::filesystem::path file = path() / relative;
        std::filesystem::remove_all(file);
        if (contents == "<folder>")
            std::filesystem::create_directory(file);
        else if (contents == "<fifo>")
            mkfifo(file.c_str(), 0666);
        else if (contents == "<device link>") {
            const auto device = file.parent_path() / "null";
            mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3));
            std::filesystem::create_symlink(device, file);
        } else if (contents != "<missing>")
            write(relative, contents);
    }
    // Empty for anything but a regular file.
    QByteArray read(const std::filesystem::path &relative) const
    {
        if (!std::filesystem::is_regular_file(path() / relative))
            return {};
        QFile in(QString::fromStdString((path() / relative).string()));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    bool exists(const std::filesystem::path &relative) const { return std::filesystem::exists(path() / relative); }

private:
    QTemporaryDir dir;
};
