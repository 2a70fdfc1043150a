// A folder of shipped files that their users may change: a file is written
// where it is missing or still holds what this program last wrote there, and
// kept, with a note saying so, where someone has changed it since.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace levels {

class ShippedFolder
{
public:
    // writer names what writes the files again, "build" or "install", for the note.
    ShippedFolder(std::filesystem::path folder, std::string writer);

    // Writes name unless it was changed after the last write, and only where
    // it differs; throws std::runtime_error when it cannot be written.
    void put(const std::string &name, const std::string &bytes);

    // Records what put() wrote, for the next run.
    void saveRecord() const;

    // Removes every file that still holds what was last written, keeping the
    // changed ones with a note, and then the record.
    void removeUnchanged();

    // The bytes of a file of at most largestLevelFile bytes; nullopt when it is
    // missing. Throws when it is longer or no regular file.
    static std::optional<std::string> contents(const std::filesystem::path &file);

private:
    bool mayWrite(const std::string &name, const std::optional<std::string> &old, const std::string &bytes) const;
    bool unchanged(const std::string &name, const std::string &old) const;
    void noteKept(const std::string &name, const std::string &why, const std::string &advice) const;

    std::filesystem::path folder;
    std::string writer;
    std::map<std::string, std::uint64_t> written; // each file's hash as last written
};

} // namespace levels
