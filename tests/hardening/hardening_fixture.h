// A program folder for the fault tests: the files the game stored before,
// faults of the file system made for the length of a test, and runs of the
// game and the editor on the folder.
#pragma once

#include "editor/form1.h"
#include "game/form1.h"
#include "game/form3.h"
#include "game/hall_file.h"

#include "int16_bytes.h"
#include "scripted_dialogs.h"
#include "scripted_random.h"
#include "temp_program_folder.h"

#include <QTest>

#include <array>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace stored {

// Ten lines in Windows-1250 ("Hňup" holds the byte F2).
inline const std::string hall = "Jana\r\n950\r\nPetr\r\n700\r\nH\xF2up\r\n600\r\nEva\r\n401\r\n\r\n5\r\n";
inline const game::HallTable hallTable{{{"Jana", "950"}, {"Petr", "700"}, {QStringLiteral("Hňup"), "600"}, {"Eva", "401"}, {"", "5"}}};
// Three lives at level index 1, score 120, a snake of six, 200 ms.
inline const std::string game = int16s({3, 1, 120, 6, 200});

// A level count of 3, the hall and the saved game; then the entry at
// relative, if given, replaced by contents: bytes, "<folder>" or "<missing>".
inline void fill(const TempProgramFolder &folder, const std::filesystem::path &relative = {}, const QByteArray &contents = {})
{
    folder.write("levels/levels.ini", "3\r\n");
    folder.write("data/hal.hal", hall);
    folder.write("data/user.pla", game);
    if (relative.empty())
        return;
    std::filesystem::remove_all(folder.path() / relative);
    if (contents == "<folder>")
        std::filesystem::create_directory(folder.path() / relative);
    else if (contents != "<missing>")
        folder.write(relative, contents.toStdString());
}

// What stands at a path: its bytes, or each entry below it, folders marked.
inline std::map<std::string, std::string> snapshot(const std::filesystem::path &path)
{
    const auto bytes = [](const std::filesystem::path &file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    std::map<std::string, std::string> entries;
    if (std::filesystem::is_regular_file(path))
        entries[""] = bytes(path);
    for (const auto &entry : std::filesystem::is_directory(path) ? std::filesystem::recursive_directory_iterator(path)
                                                                 : std::filesystem::recursive_directory_iterator())
        entries[std::filesystem::relative(entry.path(), path).string()] = entry.is_directory() ? "<folder>" : bytes(entry.path());
    return entries;
}

} // namespace stored

// Undoes a fault of the file system when it goes.
struct Undo {
    std::function<void()> undo;
    ~Undo()
    {
        if (undo)
            undo();
    }
};

// A path with other mode bits, the calling thread going without the
// capabilities that let root, who runs the tests, ignore them.
inline std::function<void()> changedMode(const std::filesystem::path &path, std::filesystem::perms mode)
{
    const auto previous = std::filesystem::status(path).permissions();
    std::filesystem::permissions(path, mode);
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, 2> saved{};
    syscall(SYS_capget, &header, saved.data());
    std::array<__user_cap_data_struct, 2> lowered = saved;
    lowered[0].effective &= ~(1U << CAP_DAC_OVERRIDE | 1U << CAP_DAC_READ_SEARCH);
    syscall(SYS_capset, &header, lowered.data());
    return [=]() mutable {
        syscall(SYS_capset, &header, saved.data());
        std::filesystem::permissions(path, previous);
    };
}

// A full disk, as far as this process sees it: no file may grow past limit
// bytes, and a write that would fails instead of ending the process.
inline std::function<void()> fullDisk(rlim_t limit = 0)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit none{limit, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &none);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    return [=] {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    };
}

// One run of the game on a program folder, started as the program starts it.
struct GameRun {
    explicit GameRun(const std::filesystem::path &folder)
        : form(dialogs, random, folder)
        , loaded(form.Form_Load())
    {
    }

    ScriptedDialogs dialogs;
    ScriptedRandom random;
    game::Form1 form;
    bool loaded; // false when the program would have stopped

    bool running() const { return form.prechod == -1 && form.Timer1.isRunning(); }
    game::HallTable hall() const { return form.hallWindow()->table(); }

    // Eats the last food item of the level in one tick: the next level or
    // stage follows, and with it a write of the saved game.
    void finishLevel()
    {
        form.batches = 2;
        form.eaten = 3;
        for (int f = 1; f < form.Image2.size(); ++f)
            form.Image2.setVisible(f, false);
        form.Image2.setTop(1, static_cast<std::int16_t>(form.Image1.top(0) + form.vert * form.diry * 9));
        form.Image2.setLeft(1, static_cast<std::int16_t>(form.Image1.left(0) + form.horiz * form.dirx * 9));
        form.Image2.setVisible(1, true);
        form.Timer1_Timer();
    }

    // Loses the last life with this score and types the name into the hall
    // of fame, which is saved at once.
    void endWithScore(std::int16_t score, const QString &name)
    {
        form.score = score;
        form.lives = 1;
        dialogs.inputs.push_back(name);
        form.crash();
    }
};

// An editor window on a program folder, its file dialog answered in turn.
struct EditorRun {
    explicit EditorRun(const std::filesystem::path &folder)
        : form(dialogs, folder)
    {
    }
    ScriptedDialogs dialogs;
    editor::Form1 form;
    int blocks() const { return form.Image1.size() - 1; }
    void choose(const std::filesystem::path &file) { dialogs.files.push_back(file); }
};
