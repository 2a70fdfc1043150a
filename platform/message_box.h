// The programs' message and question box: a centred text over a row of
// buttons, as wide as the window manager needs to show the whole title.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>

namespace platform {

class MessageBox : public QDialog
{
public:
    MessageBox(const QString &text, const QString &title, QDialogButtonBox::StandardButtons buttons,
               QDialogButtonBox::StandardButton defaultButton, QWidget *parent);

    // The button pressed; NoButton when the box was closed by Escape or by
    // the frame's close button.
    QDialogButtonBox::StandardButton chosen() const { return pressed; }

private:
    QDialogButtonBox::StandardButton pressed = QDialogButtonBox::NoButton;
};

// Fixes the box at the size its contents ask for, and no narrower than its
// title needs beside the buttons that a window manager puts into the frame:
// nothing to resize or maximise, and the title never cut.
void fixBoxSize(QDialog &box);

} // namespace platform
