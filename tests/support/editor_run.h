// An editor window on a program folder over scripted boxes, and how tests use it.
#pragma once

#include "editor/form1.h"

#include "scripted_dialogs.h"

#include <QCoreApplication>
#include <QList>
#include <QMouseEvent>
#include <QPoint>
#include <QWindow>

struct EditorRun {
    explicit EditorRun(const std::filesystem::path &folder, std::deque<std::filesystem::path> files = {}) : form(dialogs, folder)
    {
        dialogs.files = std::move(files);
    }
    ScriptedDialogs dialogs;
    editor::Form1 form;

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
    // (Left, Top) of the blocks in index order; (-1, -1) for a hidden one.
    QList<QPoint> blocks() const
    {
        QList<QPoint> list;
        for (int k = 1; k < form.Image1.size(); ++k)
            list << (form.Image1.visible(k) ? QPoint(form.Image1.left(k), form.Image1.top(k)) : QPoint(-1, -1));
        return list;
    }
};
