// An editor window over scripted boxes and a throw-away program folder, and
// the ways the tests press on its map and read its blocks.
#pragma once

#include "editor/form1.h"

#include "scripted_dialogs.h"
#include "temp_program_folder.h"

#include <QList>
#include <QPoint>
#include <QTest>

struct EditorFixture {
    ScriptedDialogs dialogs;
    TempProgramFolder folder;
    editor::Form1 form{dialogs, folder.path()};

    // A real mouse press at a point of the map's drawing area.
    void press(QPoint point, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
    {
        const QPoint border(platform::Playfield::border, platform::Playfield::border);
        QTest::mousePress(&form.Picture1, button, modifiers, point + border);
        QTest::mouseRelease(&form.Picture1, button, modifiers, point + border);
    }

    // (Left, Top) of the blocks, in index order.
    QList<QPoint> blocks() const
    {
        QList<QPoint> list;
        for (int index = 1; index < form.Image1.size(); ++index)
            list << QPoint(form.Image1.left(index), form.Image1.top(index));
        return list;
    }

    // Every block shown, the template hidden.
    bool onlyBlocksShown() const
    {
        for (int index = 0; index < form.Image1.size(); ++index) {
            if (form.Image1.visible(index) != (index > 0))
                return false;
        }
        return true;
    }
};
