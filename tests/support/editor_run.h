// An editor window on a program folder over scripted boxes, and how tests use it.
#pragma once

#include "editor/form1.h"

#include "scripted_dialogs.h"

#include <QList>
#include <QPoint>
#include <QTest>

struct EditorRun {
    explicit EditorRun(const std::filesystem::path &folder, std::deque<std::filesystem::path> files = {}) : form(dialogs, folder)
    {
        dialogs.files = std::move(files);
    }
    ScriptedDialogs dialogs;
    editor::Form1 form;

    // A real mouse press at a point of the map's drawing area.
    void press(QPoint point, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(&form.Picture1, button, modifiers, point + QPoint(2, 2));
    }
    // (Left, Top) of the blocks in index order; (-1, -1) for a hidden one.
    QList<QPoint> blocks() const
    {
        QList<QPoint> list;
        for (int k = 1; k < form.Image1.size(); ++k)
            list << (form.Image1.visible(k) ? QPoint(form.Image1.left(k), form.Image1.top(k)) : QPoint(-1, -1));
        return list;
    }
    // "&Ulož" and "&Načti" on this file.
    void save(const std::filesystem::path &file)
    {
        dialogs.files.push_back(file);
        form.Command1_Click();
    }
    void load(const std::filesystem::path &file)
    {
        dialogs.files.push_back(file);
        form.Command2_Click();
    }
};
