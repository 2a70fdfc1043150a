// A game window that is never shown, with boxes that answer at once and a
// random source that draws 0.5 every time, so that every food item of a
// level setup lands on the cell at (135, 135).
#pragma once

#include "bench/silent_dialogs.h"
#include "game/form1.h"
#include "scripted_random.h"

namespace bench {

struct GameWindow {
    explicit GameWindow(const std::filesystem::path &folder)
        : form(dialogs, random, folder)
    {
    }

    SilentDialogs dialogs;
    ScriptedRandom random;
    game::Form1 form;
};

} // namespace bench
