// The boxes as the toolkit's standard dialogs.
#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace platform {

class QtDialogs : public Dialogs
{
public:
    // Boxes are centred over parent once it is set.
    void setParent(QWidget *parent) { this->parent = parent; }

protected:
    Answer showMessage(const QString &text, const QString &title, Buttons buttons) override;
    QString showInput(const QString &prompt, const QString &title) override;
    std::filesystem::path showFileDialog(FileMode mode, const std::filesystem::path &folder) override;

private:
    QWidget *parent = nullptr;
};

} // namespace platform
