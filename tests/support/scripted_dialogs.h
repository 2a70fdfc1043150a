// Dialogs that answer from a script and record what was asked, in order.
#pragma once

#include "platform/dialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

class ScriptedDialogs : public platform::Dialogs
{
public:
    struct Shown {
        QString kind; // "message", "input" or "file"
        QString text;
        QString title;
        Buttons buttons = Buttons::Ok;
        FileMode fileMode = FileMode::Open;
        std::filesystem::path folder;
    };

    std::vector<Shown> shown;
    std::deque<Answer> answers;              // for Yes/No boxes; Yes when none left
    std::deque<QString> inputs;              // for input boxes; Cancel when none left
    std::deque<std::filesystem::path> files; // for file dialogs; Cancel when none left
    // Runs while each box is open, as the event loop of a real box would.
    std::function<void(const Shown &)> whileOpen;

    // The message boxes as "title: text".
    QStringList messages() const
    {
        QStringList list;
        for (const Shown &box : shown)
            list << (box.kind == QLatin1String("message") ? QStringList{box.title + QLatin1String(": ") + box.text} : QStringList());
        return list;
    }

protected:
    Answer showMessage(const QString &text, const QString &title, Buttons buttons) override
    {
        open({QStringLiteral("message"), text, title, buttons, FileMode::Open, {}});
        return buttons == Buttons::Ok ? Answer::Ok : take(answers, Answer::Yes);
    }
    QString showInput(const QString &prompt, const QString &title) override
    {
        open({QStringLiteral("input"), prompt, title, Buttons::Ok, FileMode::Open, {}});
        return take(inputs, QString());
    }
    std::filesystem::path showFileDialog(FileMode mode, const std::filesystem::path &folder) override
    {
        open({QStringLiteral("file"), {}, {}, Buttons::Ok, mode, folder});
        return take(files, std::filesystem::path());
    }

private:
    void open(const Shown &box)
    {
        shown.push_back(box);
        if (whileOpen)
            whileOpen(box);
    }
    template<typename T>
    static T take(std::deque<T> &queue, T value)
    {
        if (!queue.empty())
            value = queue.front(), queue.pop_front();
        return value;
    }
};
