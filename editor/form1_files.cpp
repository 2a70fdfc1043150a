// Saving the map's blocks as a level file and loading them back.
#include "editor/form1.h"

#include "levelfile/level_file.h"
#include "platform/files.h"

#include <QDir>

#include <vector>

namespace editor {

std::filesystem::path Form1::levelsFolder() const
{
    return programFolder / "levels";
}

void Form1::reportFileError(const QString &text, const std::filesystem::path &file)
{
    dialogs.message(text.arg(QDir::toNativeSeparators(platform::toQString(file))), caption);
}

// Record k is block k, top before left, written in place: a longer old file
// keeps its tail, and a failed save leaves the old file as it was.
void Form1::Command1_Click()
{
    const auto file = dialogs.chooseLevelFile(platform::Dialogs::FileMode::Save, levelsFolder());
    if (file.empty())
        return;
    std::vector<levelfile::Block> blocks;
    const int last = Image1.size() - 1;
    for (i = 1; i <= last; ++i)
        blocks.push_back({Image1.top(i), Image1.left(i)});
    if (!platform::writeFileStart(file, QByteArray::fromStdString(levelfile::levelBytes(blocks))))
        reportFileError(QStringLiteral("Soubor %1 nelze uložit."), file);
}

// The old blocks go only once a file has been read, so a cancelled dialog or
// a bad file leaves the map as it was. Loaded positions are taken unchanged.
void Form1::Command2_Click()
{
    const auto file = dialogs.chooseLevelFile(platform::Dialogs::FileMode::Open, levelsFolder());
    if (file.empty())
        return;
    const auto blocks = levelfile::readLevel(file);
    if (!blocks) {
        reportFileError(QStringLiteral("Soubor %1 nelze načíst."), file);
        return;
    }
    removeBlocks();
    // A level file declares at most 32766 blocks, so blocks and template fit
    // the 16-bit count: nothing here wraps.
    pocet = static_cast<std::int16_t>(blocks->size() + 1);
    for (i = 1; i <= pocet - 1; ++i) {
        const levelfile::Block &block = (*blocks)[static_cast<std::size_t>(i - 1)];
        Image1.add(block.top, block.left);
    }
}

} // namespace editor
