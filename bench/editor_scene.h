// The editor's window over a program folder with one level file, which its
// load command reads.
#pragma once

#include "bench/canvas.h"
#include "bench/silent_dialogs.h"
#include "editor/form1.h"
#include "levelfile/level_file.h"
#include "temp_program_folder.h"

#include <string>
#include <vector>

namespace bench {

class EditorScene
{
public:
    explicit EditorScene(const std::vector<levelfile::Block> &blocks);

    // The load command and the flush of the map that it causes.
    void load();
    // The whole map as it stands.
    void drawAll() { canvas.drawAll(form.Picture1); }

    // Empty while the map holds what the file does.
    std::string fault() const;

private:
    TempProgramFolder folder;
    std::size_t blockCount;
    SilentDialogs dialogs;
    editor::Form1 form{dialogs, folder.path()};
    Canvas canvas{form.Picture1};
};

} // namespace bench
