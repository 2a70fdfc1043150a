// Writing shipped files without losing a user's changes to them.
#include "shipped_folder.h"

#include "levelfile/input_file.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>

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

void write(const std::filesystem::path &file, const std::string &bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush())
        throw std::runtime_error(file.string() + ": cannot be written");
}

} // namespace

ShippedFolder::ShippedFolder(std::filesystem::path folder, std::string writer)
    : folder_(std::move(folder))
    , writer_(std::move(writer))
{
    std::istringstream record(contents(folder_ / recordName).value_or(""));
    std::uint64_t hash = 0;
    std::string name;
    while (record >> std::hex >> hash && std::getline(record >> std::ws, name))
        written_[name] = hash;
}

void ShippedFolder::put(const std::string &name, const std::string &bytes)
{
    const std::filesystem::path file = folder_ / name;
    if (!mayWrite(name, bytes)) {
        std::cerr << "make_levels: kept " << file.string() << ": "
                  << (written_.contains(name) ? "changed since the last " + writer_ + " wrote it" : "not written by the last " + writer_)
                  << "; delete it and " << writer_ << " again for the shipped one\n";
        return;
    }
    std::filesystem::create_directories(folder_);
    write(file, bytes);
    written_[name] = hashOf(bytes);
}

void ShippedFolder::saveRecord() const
{
    std::ostringstream record;
    for (const auto &[name, hash] : written_)
        record << std::hex << hash << ' ' << name << '\n';
    write(folder_ / recordName, record.str());
}

std::optional<std::string> ShippedFolder::contents(const std::filesystem::path &file)
{
    if (!std::filesystem::exists(file))
        return std::nullopt;
    auto in = levelfile::openForReading(file);
    if (!in)
        throw std::runtime_error(file.string() + ": cannot be read");
    return std::string(std::istreambuf_iterator<char>(*in), {});
}

bool ShippedFolder::mayWrite(const std::string &name, const std::string &bytes) const
{
    const auto old = contents(folder_ / name);
    const auto last = written_.find(name);
    return !old || *old == bytes || (last != written_.end() && last->second == hashOf(*old));
}
