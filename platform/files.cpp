// Paths and whole-file reads and writes.
#include "platform/files.h"

#include "platform/regular_file.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <string>

namespace platform {
namespace {

// The bytes that are not UTF-8 are kept in a name as the code points U+DC80
// to U+DCFF, which no decoded text holds, so that toPath gives them back.
constexpr char16_t escapedByte = 0xDC00;

// The length of the UTF-8 sequence at the start of bytes, 0 when none is there.
std::size_t utf8Length(std::string_view bytes)
{
    const auto lead = static_cast<unsigned char>(bytes.front());
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    const QByteArray sequence(bytes.data(), static_cast<qsizetype>(std::min(length, bytes.size())));
    return QString::fromUtf8(sequence).toUtf8() == sequence && sequence.size() == qsizetype(length) ? length : 0;
}

bool takeDescriptor(QFile &file, int descriptor, QIODevice::OpenMode mode)
{
    if (descriptor < 0)
        return false;
    if (file.open(descriptor, mode, QFileDevice::AutoCloseHandle))
        return true;
    ::close(descriptor);
    return false;
}

enum class Tail { Cut, Keep };

// Only the old bytes that the new content covers are kept, however long the
// file, and put back if the new content cannot be written whole, the file
// cut to its old length; the tail is cut only once the new content stands.
bool overwrite(int descriptor, const QByteArray &bytes, Tail tail)
{
    QFile file;
    if (!takeDescriptor(file, descriptor, QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    const qint64 oldSize = file.size();
    const QByteArray covered = file.read(std::min<qint64>(oldSize, bytes.size()));
    if (file.error() != QFileDevice::NoError || !file.seek(0))
        return false;
    if (file.write(bytes) == bytes.size() && (tail == Tail::Keep || file.resize(bytes.size())))
        return true;
    file.seek(0);
    file.write(covered);
    file.resize(oldSize);
    return false;
}

// A link is followed, so that the rename replaces the file it points to
// rather than the link.
std::filesystem::path linkTarget(const std::filesystem::path &file)
{
    std::error_code error;
    const auto target = std::filesystem::canonical(file, error);
    return error ? file : target;
}

// The mode of a file created now: that of the file it replaces, or what the
// process's mask leaves of read and write for all.
mode_t newFileMode(const std::filesystem::path &replaced)
{
    struct stat status {};
    if (::stat(replaced.c_str(), &status) == 0)
        return status.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes bytes to a new file beside target and renames it over target;
// nullopt when the folder refuses the new file.
std::optional<bool> renameNewFileOver(const std::filesystem::path &target, const QByteArray &bytes)
{
    std::string name = target.native() + ".XXXXXX";
    const int descriptor = ::mkostemp(name.data(), O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    QFile out;
    // Unbuffered, so that a full disk fails the write itself.
    bool written = ::fchmod(descriptor, newFileMode(target)) == 0
                   && takeDescriptor(out, descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered)
                   && out.write(bytes) == bytes.size() && ::fsync(descriptor) == 0;
    out.close();
    if (written && ::rename(name.c_str(), target.c_str()) == 0)
        return true;
    ::unlink(name.c_str());
    return false;
}

} // namespace

std::filesystem::path programFolder()
{
    // The link's own bytes: the toolkit's path of the program is empty when
    // a folder's name is not UTF-8.
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? toPath(QCoreApplication::applicationDirPath()) : program.parent_path();
}

std::filesystem::path toPath(const QString &name)
{
    const auto escaped = [&](qsizetype at) { return name.at(at).unicode() >= escapedByte + 0x80 && name.at(at).unicode() <= escapedByte + 0xFF; };
    std::string bytes;
    for (qsizetype at = 0; at < name.size();) {
        if (escaped(at)) {
            bytes += static_cast<char>(name.at(at++).unicode() - escapedByte);
            continue;
        }
        qsizetype end = at;
        while (end < name.size() && !escaped(end))
            ++end;
        bytes += QStringView(name).mid(at, end - at).toUtf8().toStdString();
        at = end;
    }
    return bytes;
}

QString toQString(const std::filesystem::path &path)
{
    const std::string_view bytes = path.native();
    QString name;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8Length(bytes.substr(at));
        if (length == 0)
            name += QChar(char16_t(escapedByte + static_cast<unsigned char>(bytes[at++])));
        else
            name += QString::fromUtf8(bytes.data() + at, static_cast<qsizetype>(length));
        at += length;
    }
    return name;
}

bool replaceFile(const std::filesystem::path &file, const QByteArray &bytes)
{
    const std::filesystem::path target = linkTarget(file);
    if (standsOtherThanRegular(target))
        return false;
    if (const std::optional<bool> renamed = renameNewFileOver(target, bytes))
        return *renamed;
    return overwrite(openRegularFile(target, O_RDWR), bytes, Tail::Cut);
}

bool writeFileStart(const std::filesystem::path &file, const QByteArray &bytes)
{
    std::error_code error;
    const bool existed = std::filesystem::exists(std::filesystem::symlink_status(file, error));
    const int descriptor = openRegularFile(file, O_RDWR | (existed ? 0 : O_CREAT | O_EXCL));
    if (descriptor < 0)
        return false;
    if (overwrite(descriptor, bytes, Tail::Keep))
        return true;
    if (!existed)
        std::filesystem::remove(file, error);
    return false;
}

std::optional<QByteArray> readFileStart(const std::filesystem::path &file, qint64 limit)
{
    QFile in;
    if (!takeDescriptor(in, openRegularFile(file, O_RDONLY), QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = in.read(limit);
    if (in.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace platform
