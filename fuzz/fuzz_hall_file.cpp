// The hall file: any bytes give five places, written back as ten lines that read back the same.
#include "fuzz_support.h"

#include "game/hall_file.h"

namespace {

game::HallTable loaded(const QByteArray &bytes)
{
    game::HallTable table = game::hall_file::initialTable();
    game::hall_file::apply(bytes, table);
    return table;
}

// Ten lines, each ended by CR LF, with no other CR or LF anywhere.
bool isTenLines(const QByteArray &bytes)
{
    return bytes.count("\r\n") == 10 && bytes.count('\r') == 10 && bytes.count('\n') == 10 && bytes.endsWith("\r\n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const game::HallTable table = loaded(input);
    // Lines end with CR LF, LF or CR; text after the last line end is one more line.
    const QByteArray unified = QByteArray(input).replace("\r\n", "\n");
    const qsizetype lines = unified.count('\n') + unified.count('\r') + (!input.isEmpty() && !input.endsWith('\r') && !input.endsWith('\n'));
    const game::HallTable initial = game::hall_file::initialTable();
    for (qsizetype n = lines; n < 10; ++n) {
        const auto k = std::size_t(n / 2);
        fuzz::check(n % 2 ? table[k].score == initial[k].score : table[k].name == initial[k].name,
                    "places the file does not reach keep their texts");
    }
    const QByteArray written = game::hall_file::bytes(table);
    fuzz::check(isTenLines(written), "a hall is written as ten lines");
    fuzz::check(loaded(written) == table, "a written hall reads back as the same table");
    fuzz::check(game::hall_file::bytes(loaded(written)) == written, "saving again changes no byte");
    fuzz::check(!isTenLines(input) || written == input, "a file of ten lines is saved back byte for byte");
    return 0;
}
