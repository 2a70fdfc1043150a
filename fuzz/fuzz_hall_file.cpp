// The hall file: any bytes give a table written as ten lines that read back as
// the same table, and a file of ten lines is written back byte for byte.
#include "game/hall_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto tenLines = [](const QByteArray &bytes) {
        return bytes.count("\r\n") == 10 && bytes.count('\r') == 10 && bytes.count('\n') == 10 && bytes.endsWith('\n');
    };
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    game::HallTable table = game::hall_file::initialTable(), again = table;
    game::hall_file::apply(input, table);
    const QByteArray written = game::hall_file::bytes(table);
    game::hall_file::apply(written, again);
    if (!tenLines(written) || again != table || (tenLines(input) && written != input))
        std::abort();
    return 0;
}
