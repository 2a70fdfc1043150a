// The editor's window: a map of wall blocks on a 9-pixel grid, painted with
// the mouse, and the buttons that take blocks back, save and load them.
#pragma once

#include "platform/dialogs.h"
#include "platform/playfield.h"
#include "platform/sprite_collection.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <cstdint>
#include <filesystem>

struct EditorRun;

namespace editor {

class Form1 : public QWidget
{
public:
    // Level files are chosen in the "levels" folder inside programFolder.
    Form1(platform::Dialogs &dialogs, std::filesystem::path programFolder, QWidget *parent = nullptr);

private:
    // The tests' fixture, which presses the buttons and reads the blocks.
    friend struct ::EditorRun;

    static const QString caption;

    // A press on the map where no block is shown.
    void Picture1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, std::int16_t x, std::int16_t y);
    void Command1_Click(); // save
    void Command2_Click(); // load
    void Command3_Click(); // exit
    void Command4_Click(); // clear all
    void Command5_Click(); // remove the newest block

    // The controls, named as in the window's layout.
    platform::SpriteCollection Image1; // element 0 the hidden template, then the blocks
    QLabel *Label1;
    QLabel *Label2;
    platform::Playfield *Picture1;
    QGroupBox *Frame1;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;
    QGroupBox *Frame2;
    QPushButton *Command5;
    QPushButton *Command4;

    void createControls();
    void connectHandlers();
    void Form_Load();

    void mapPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    bool blockShownAt(QPoint position) const;
    void removeBlocks();

    std::filesystem::path levelsFolder() const;
    void reportFileError(const QString &text, const std::filesystem::path &file);

    platform::Dialogs &dialogs;
    std::filesystem::path programFolder;
    std::int16_t i = 0;     // the loop counter that the handlers share
    std::int16_t pocet = 0; // element count brought by the last load
};

} // namespace editor
