// The map: its grid, placing blocks with the mouse, taking them back and
// clearing them all.
#include "editor/form1.h"

#include "levelfile/grid.h"

#include <QPainter>

#include <cmath>
#include <limits>

namespace editor {
namespace {

const QColor gridColour(128, 0, 0);

} // namespace

// The grid goes into the map's own image once; blocks lie on top of it, so
// placing or removing them never redraws it.
void Form1::Form_Load()
{
    QImage map(Picture1->clientWidth(), Picture1->clientHeight(), QImage::Format_RGB32);
    map.fill(Qt::black);
    Picture1->setBackground(map);

    QPainter painter(&Picture1->background());
    // The lines at -1 and 269 fall outside the image; each cell carries the
    // line along its own last column and row. They are filled as one-pixel
    // rectangles, the same pixels as drawn lines at a sixth of the cost: a
    // drawn vertical line goes a pixel at a time, a noticeable part of the
    // window's start.
    constexpr int end = grid::side * grid::cell;
    for (i = -1; i <= end; i += grid::cell) {
        painter.fillRect(i, 0, 1, end + 1, gridColour);
        painter.fillRect(0, i, end + 1, 1, gridColour);
    }
    Picture1->update();
}

// A press anywhere in a pixel counts as a press on that pixel, whatever
// fraction of it a device pixel ratio above 1 adds. A shown block takes the
// presses that land on it, so they never reach the map.
void Form1::mapPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position)
{
    const QPoint pixel(static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y())));
    if (!blockShownAt(pixel))
        Picture1_MouseDown(button, modifiers, static_cast<std::int16_t>(pixel.x()),
                           static_cast<std::int16_t>(pixel.y()));
}

bool Form1::blockShownAt(QPoint position) const
{
    for (const platform::Sprite &block : Image1.all()) {
        if (block.visible && QRect(block.left, block.top, grid::cell, grid::cell).contains(position))
            return true;
    }
    return false;
}

// Neither the button nor the modifier keys matter: every press places a block.
void Form1::Picture1_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, std::int16_t x, std::int16_t y)
{
    // The element count is a 16-bit number; a block more would not fit it.
    if (Image1.size() == std::numeric_limits<std::int16_t>::max())
        return;
    Image1.add(grid::snap(y), grid::snap(x));
}

void Form1::removeBlocks()
{
    Image1.destroyFrom(1);
}

// With no blocks left the template stays: nothing happens.
void Form1::Command5_Click()
{
    if (Image1.size() > 1)
        Image1.destroyFrom(Image1.size() - 1);
}

void Form1::Command4_Click()
{
    const auto answer = dialogs.message(QStringLiteral("OPRAVDU TO CHCEŠ????\?!!!!!"), QStringLiteral("Dotaz"),
                                        platform::Dialogs::Buttons::YesNo);
    if (answer == platform::Dialogs::Answer::No)
        return;
    removeBlocks();
}

} // namespace editor
