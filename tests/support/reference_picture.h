// A window's picture, drawn off screen, against the reference kept in tests/pictures/.
// When a look changes on purpose, KORVO_WRITE_PICTURES=1 ctest ... writes the references anew.
#pragma once

#include <QDir>
#include <QImage>
#include <QWidget>

// True when the widget looks as its reference does; otherwise the picture drawn is left
// in the temporary folder as <name>-actual.png, to be looked at.
inline bool looksAsReference(QWidget &widget, const QString &name)
{
    const QImage picture = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString reference = QStringLiteral(KORVO_REFERENCE_PICTURES "/%1.png").arg(name);
    if (qEnvironmentVariableIsSet("KORVO_WRITE_PICTURES"))
        return picture.save(reference);
    if (picture == QImage(reference).convertToFormat(QImage::Format_RGB32))
        return true;
    picture.save(QDir::temp().filePath(name + QStringLiteral("-actual.png")));
    return false;
}
