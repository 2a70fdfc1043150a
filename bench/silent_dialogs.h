// Boxes that answer at once: OK or Yes, an empty text, and the level file
// set beforehand.
#pragma once

#include "platform/dialogs.h"

namespace bench {

class SilentDialogs : public platform::Dialogs
{
public:
    std::filesystem::path levelFile;

protected:
    Answer showMessage(const QString &, const QString &, Buttons buttons) override
    {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    QString showInput(const QString &, const QString &) override { return {}; }
    std::filesystem::path showFileDialog(FileMode, const std::filesystem::path &) override { return levelFile; }
};

} // namespace bench
