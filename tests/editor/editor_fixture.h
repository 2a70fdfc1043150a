// An editor window over scripted boxes and a throw-away program folder, and
// the ways the tests press on its map, read its blocks and use its files.
#pragma once

#include "editor/form1.h"

#include "int16_bytes.h"
#include "scripted_dialogs.h"
#include "temp_program_folder.h"

#include <QList>
#include <QPoint>
#include <QMouseEvent>
#include <QTest>

struct EditorFixture {
    ScriptedDialogs dialogs;
    TempProgramFolder folder;
    editor::Form1 form{dialogs, folder.path()};

    // A press at a point of the map's drawing area, delivered to the window
    // as the window system delivers it, fractions of a pixel included.
    void press(QPointF point, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
    {
        form.winId();
        const QPointF inWindow = point + QPointF(form.Picture1->mapTo(&form, QPoint(2, 2)));
        QMouseEvent event(QEvent::MouseButtonPress, inWindow, inWindow, form.mapToGlobal(inWindow), button, button,
                          modifiers);
        QCoreApplication::sendEvent(form.windowHandle(), &event);
    }

    // (Left, Top) of the blocks in index order; (-1, -1) for a hidden one.
    QList<QPoint> blocks() const
    {
        QList<QPoint> list;
        for (int index = 1; index < form.Image1.size(); ++index)
            list << (form.Image1.visible(index) ? QPoint(form.Image1.left(index), form.Image1.top(index)) : QPoint(-1, -1));
        return list;
    }

    std::filesystem::path level(const std::string &name) const { return folder.path() / "levels" / name; }
    QByteArray bytes(const std::string &name) const { return QByteArray::fromStdString(folder.read(level(name))); }

    // "&Ulož" and "&Načti", the file dialog answered with a file of the levels folder.
    void save(const std::string &name)
    {
        dialogs.files.push_back(level(name));
        form.Command1_Click();
    }
    void load(const std::string &name, const std::string &bytes)
    {
        folder.write(level(name), bytes);
        dialogs.files.push_back(level(name));
        form.Command2_Click();
    }
};
