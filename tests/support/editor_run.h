// An editor window on a program folder over scripted boxes, and how tests use it.
#pragma once

#include "editor/form1.h"

#include "scripted_dialogs.h"

#include <QList>
#include <QPoint>

struct EditorRun {
    explicit EditorRun(const std::filesystem::path &folder, std::deque<std::filesystem::path> files = {}) : form(dialogs, folder)
    {
        dialogs.files = std::move(files);
    }
    ScriptedDialogs dialogs;
    editor::Form1 form;

    // (Left, Top) of the blocks in index order; (-1, -1) for a hidden one.
    QList<QPoint> blocks() const
    {
        QList<QPoint> list;
        for (int k = 1; k < form.Image1.size(); ++k)
            list << (form.Image1.visible(k) ? QPoint(form.Image1.left(k), form.Image1.top(k)) : QPoint(-1, -1));
        return list;
    }
};
