// Message box, input box and file dialog.
#include "platform/qt_dialogs.h"

#include "platform/files.h"
#include "platform/message_box.h"

#include <QFileDialog>
#include <QInputDialog>

namespace platform {

Dialogs::Answer QtDialogs::showMessage(const QString &text, const QString &title, Buttons buttons)
{
    if (buttons == Buttons::Ok) {
        MessageBox(text, title, QDialogButtonBox::Ok, QDialogButtonBox::Ok, parent).exec();
        return Answer::Ok;
    }
    MessageBox box(text, title, QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::Yes, parent);
    box.exec();
    return box.chosen() == QDialogButtonBox::Yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::showInput(const QString &prompt, const QString &title)
{
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(QString());
    fixBoxSize(box);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

std::filesystem::path QtDialogs::showFileDialog(FileMode mode, const std::filesystem::path &folder)
{
    QFileDialog box(parent, QString(), toQString(folder), QStringLiteral("*.lvl"));
    box.setDefaultSuffix(QStringLiteral("lvl"));
    if (mode == FileMode::Save) {
        // The toolkit asks before it lets a save overwrite an existing level,
        // so that a slip cannot lose one.
        box.setAcceptMode(QFileDialog::AcceptSave);
        box.setFileMode(QFileDialog::AnyFile);
    } else {
        box.setAcceptMode(QFileDialog::AcceptOpen);
        box.setFileMode(QFileDialog::ExistingFile);
    }
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return {};
    return toPath(box.selectedFiles().constFirst());
}

} // namespace platform
