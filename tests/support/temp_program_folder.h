// A throw-away program folder with "levels" and "data" inside.
#pragma once

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

class TempProgramFolder
{
public:
    TempProgramFolder()
    {
        std::filesystem::create_directories(path() / "levels");
        std::filesystem::create_directories(path() / "data");
    }

    std::filesystem::path path() const { return std::filesystem::path(dir.path().toStdString()); }

    void write(const std::filesystem::path &relative, const std::string &bytes) const
    {
        std::ofstream out(path() / relative, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string read(const std::filesystem::path &relative) const
    {
        std::ifstream in(path() / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    bool exists(const std::filesystem::path &relative) const { return std::filesystem::exists(path() / relative); }

private:
    QTemporaryDir dir;
};
