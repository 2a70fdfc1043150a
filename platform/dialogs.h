// The modal boxes and the file dialog of both programs. Every box is held
// open under a ModalGuard, whichever implementation answers it, so that no
// timer handler runs while one is open.
#pragma once

#include <QString>

#include <filesystem>

namespace platform {

class Dialogs
{
public:
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };
    enum class FileMode { Open, Save };

    virtual ~Dialogs() = default;

    Answer message(const QString &text, const QString &title, Buttons buttons = Buttons::Ok);
    // The text entered; empty on Cancel.
    QString input(const QString &prompt, const QString &title);
    // The chosen level file, starting in folder and listing "*.lvl"; a name
    // typed without extension gets ".lvl". Empty when cancelled.
    std::filesystem::path chooseLevelFile(FileMode mode, const std::filesystem::path &folder);

protected:
    virtual Answer showMessage(const QString &text, const QString &title, Buttons buttons) = 0;
    virtual QString showInput(const QString &prompt, const QString &title) = 0;
    virtual std::filesystem::path showFileDialog(FileMode mode, const std::filesystem::path &folder) = 0;
};

} // namespace platform
