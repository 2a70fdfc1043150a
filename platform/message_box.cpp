// The message box and the fixed size of every box.
#include "platform/message_box.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform {

MessageBox::MessageBox(const QString &text, const QString &title, QDialogButtonBox::StandardButtons buttons,
                       QDialogButtonBox::StandardButton defaultButton, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    auto *label = new QLabel(text, this);
    label->setAlignment(Qt::AlignCenter);
    auto *row = new QDialogButtonBox(buttons, this);
    row->setCenterButtons(true);
    row->button(defaultButton)->setDefault(true);
    row->button(defaultButton)->setFocus();
    connect(row, &QDialogButtonBox::clicked, this, [this, row](QAbstractButton *button) {
        pressed = row->standardButton(button);
        accept();
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(row);
    fixBoxSize(*this);
}

// Window managers draw the title in a bold face about the size of the
// desktop's text, between the window's icon and up to three buttons
// (minimise, maximise, close), each a square of the title bar's height: up
// to two lines of text each, eight lines beside the title.
void fixBoxSize(QDialog &box)
{
    constexpr int frameLinesBesideTitle = 8;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    box.ensurePolished();
    const QSize contents = box.sizeHint();
    // The input box's own layout would set its limits anew when shown.
    box.layout()->setSizeConstraint(QLayout::SetNoConstraint);
    const int titleWidth = title.horizontalAdvance(box.windowTitle()) + frameLinesBesideTitle * title.height();
    box.setFixedSize(qMax(contents.width(), titleWidth), contents.height());
}

} // namespace platform
