// An editor window on a throw-away program folder over scripted boxes, and how tests use it.
#pragma once

#include "editor/form1.h"

#include "scripted_dialogs.h"
#include "temp_program_folder.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

struct EditorRun : TempProgramFolder {
    ScriptedDialogs dialogs;
    editor::Form1 form{dialogs, path()};
    const std::filesystem::path levels = path() / "levels";

    // "&Ulož" and "&Načti" on the file that the dialog returns: a name in the levels folder, or a
    // whole path; without one the dialog is cancelled.
    void save(const std::filesystem::path &file = {}) { choose(file), form.Command1->click(); }
    void load(const std::filesystem::path &file = {}) { choose(file), form.Command2->click(); }
    void removeNewest() { form.Command5->click(); }
    void clearAll() { form.Command4->click(); }
    const QLabel &help() const { return *form.Label1; }

    // A press at a point of the map's drawing area, delivered to the window as the window system
    // delivers it, fractions of a pixel included.
    void press(QPointF point, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
    {
        form.winId();
        const QPointF inWindow = point + QPointF(form.Picture1->mapTo(&form, QPoint(2, 2)));
        QMouseEvent event(QEvent::MouseButtonPress, inWindow, inWindow, form.mapToGlobal(inWindow), button, button,
                          modifiers);
        QCoreApplication::sendEvent(form.windowHandle(), &event);
    }
    // "Left,Top" of each block in index order.
    QString blocks() const
    {
        QStringList list;
        for (int k = 1; k < form.Image1.size(); ++k)
            list << QStringLiteral("%1,%2").arg(form.Image1.left(k)).arg(form.Image1.top(k));
        return list.join(' ');
    }

private:
    void choose(const std::filesystem::path &file)
    {
        if (!file.empty())
            dialogs.files.push_back(levels / file);
    }
};
