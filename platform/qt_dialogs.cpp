// Message box, input box and file dialog.
#include "platform/qt_dialogs.h"

#include "platform/files.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace platform {

Dialogs::Answer QtDialogs::showMessage(const QString &text, const QString &title, Buttons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int chosen = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return chosen == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::showInput(const QString &prompt, const QString &title)
{
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(QString());
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
