// The guard around every modal box.
#include "platform/dialogs.h"

#include "platform/modal_guard.h"

namespace platform {

Dialogs::Answer Dialogs::message(const QString &text, const QString &title, Buttons buttons)
{
    ModalGuard guard;
    return showMessage(text, title, buttons);
}

QString Dialogs::input(const QString &prompt, const QString &title)
{
    ModalGuard guard;
    return showInput(prompt, title);
}

std::filesystem::path Dialogs::chooseLevelFile(FileMode mode, const std::filesystem::path &folder)
{
    ModalGuard guard;
    return showFileDialog(mode, folder);
}

} // namespace platform
