// Writing shipped files without losing a user's changes to them.
#include "shipped_folder.h"

#include "file_access.h"

#include <iostream>
#include <set>
#include <sstream>

namespace levels {
namespace {

// The hidden file beside the shipped ones: a line per file written, its
// hash in hexadecimal and its name. A missing or damaged record only makes
// more files count as changed, so it never costs a change.
const std::string recordName = ".shipped";

std::uint64_t hashOf(const std::string &bytes)
{
    std::uint64_t hash = 14695981039346656037ULL; // 64-bit FNV-1a
    for (const char byte : bytes)
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ULL;
    return hash;
}

// Enough of a file to tell whether it holds what was written: nothing
// longer than a level file is ever written.
std::optional<std::string> firstBytes(const std::filesystem::path &file)
{
    return readAtMost(file, largestLevelFile);
}

} // namespace

ShippedFolder::ShippedFolder(std::filesystem::path folder, std::string writer)
    : folder(std::move(folder))
    , writer(std::move(writer))
{
    std::istringstream record(firstBytes(this->folder / recordName).value_or(""));
    std::uint64_t hash = 0;
    std::string name;
    while (record >> std::hex >> hash && std::getline(record >> std::ws, name))
        written[name] = hash;
}

void ShippedFolder::put(const std::string &name, const std::string &bytes)
{
    const auto old = firstBytes(folder / name);
    if (!mayWrite(name, old, bytes)) {
        noteKept(name, written.contains(name) ? "changed since the last " + writer + " wrote it" : "not written by the last " + writer,
                 "; delete it and " + writer + " again for the shipped one");
        return;
    }
    if (old != bytes) {
        std::filesystem::create_directories(folder);
        writeWhole(folder / name, bytes);
    }
    written[name] = hashOf(bytes);
}

void ShippedFolder::saveRecord() const
{
    std::ostringstream record;
    for (const auto &[name, hash] : written)
        record << std::hex << hash << ' ' << name << '\n';
    if (firstBytes(folder / recordName) != record.str())
        writeWhole(folder / recordName, record.str());
}

void ShippedFolder::removeUnchanged()
{
    const std::set<std::filesystem::directory_entry> entries(std::filesystem::directory_iterator(folder), {});
    for (const auto &entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name == recordName)
            continue;
        if (!written.contains(name) || !entry.is_regular_file())
            noteKept(name, "not written by the " + writer, "");
        else if (!unchanged(name, *firstBytes(entry.path())))
            noteKept(name, "changed since the " + writer + " wrote it", "");
        else
            std::filesystem::remove(entry.path());
    }
    std::filesystem::remove(folder / recordName);
}

std::optional<std::string> ShippedFolder::contents(const std::filesystem::path &file)
{
    auto bytes = firstBytes(file);
    if (bytes && bytes->size() > largestLevelFile)
        fail(file, "holds more than " + std::to_string(largestLevelFile) + " bytes, the length of the largest level file");
    return bytes;
}

bool ShippedFolder::mayWrite(const std::string &name, const std::optional<std::string> &old, const std::string &bytes) const
{
    return !old || *old == bytes || unchanged(name, *old);
}

bool ShippedFolder::unchanged(const std::string &name, const std::string &old) const
{
    const auto last = written.find(name);
    return old.size() <= largestLevelFile && last != written.end() && last->second == hashOf(old);
}

void ShippedFolder::noteKept(const std::string &name, const std::string &why, const std::string &advice) const
{
    std::cerr << "make_levels: kept " << (folder / name).string() << ": " << why << advice << '\n';
}

} // namespace levels
