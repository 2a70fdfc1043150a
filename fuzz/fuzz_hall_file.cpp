// The hall of fame file: whatever it holds, the table keeps its five places,
// is written back as ten lines, and what was written reads back the same.
#include "fuzz_support.h"

#include "game/hall_file.h"

namespace {

using game::HallTable;

HallTable loaded(const QByteArray &bytes)
{
    HallTable table = game::hall_file::initialTable();
    game::hall_file::apply(bytes, table);
    return table;
}

// Ten lines, each ended by CR LF, with no other CR or LF anywhere.
bool isTenLines(const QByteArray &bytes)
{
    return bytes.count("\r\n") == 10 && bytes.count('\r') == 10 && bytes.count('\n') == 10 && bytes.endsWith("\r\n");
}

// Lines as the format counts them: each ends with CR LF, LF or CR, and text
// after the last line end is one more line.
qsizetype lineCount(const QByteArray &bytes)
{
    qsizetype lines = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        ++lines;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
    }
    const bool openLine = !bytes.isEmpty() && !bytes.endsWith('\r') && !bytes.endsWith('\n');
    return lines + (openLine ? 1 : 0);
}

// The texts that the file's lines do not reach are the initial ones.
bool keepsUnreachedTexts(const HallTable &table, qsizetype lines)
{
    const HallTable initial = game::hall_file::initialTable();
    for (qsizetype n = lines; n < 10; ++n) {
        const auto k = static_cast<std::size_t>(n / 2);
        const bool same = n % 2 == 0 ? table[k].name == initial[k].name : table[k].score == initial[k].score;
        if (!same)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const HallTable table = loaded(input);
    fuzz::check(keepsUnreachedTexts(table, lineCount(input)), "places the file does not reach keep their texts");

    const QByteArray written = game::hall_file::bytes(table);
    fuzz::check(isTenLines(written), "a hall is written as ten lines");
    const HallTable reread = loaded(written);
    fuzz::check(reread == table, "a written hall reads back as the same table");
    fuzz::check(game::hall_file::bytes(reread) == written, "saving again changes no byte");
    if (isTenLines(input))
        fuzz::check(written == input, "a file of ten lines is saved back byte for byte");
    return 0;
}
