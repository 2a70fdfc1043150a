// The game tick, steering and eating.
#include "game/form1.h"

#include "levelfile/grid.h"
#include "levelfile/int16.h"
#include "platform/playfield.h"

#include <QLabel>

namespace game {
namespace {

using levelfile::wrapInt16;

bool sameCell(const platform::Sprite &a, const platform::Sprite &b)
{
    return a.top == b.top && a.left == b.left;
}

} // namespace

void Form1::Timer1_Timer()
{
    const int n = Image1.size();
    for (int i = n - 1; i >= 1; --i) {
        Image1.setTop(i, Image1.top(i - 1));
        Image1.setLeft(i, Image1.left(i - 1));
    }
    Image1.setTop(0, wrapInt16(Image1.top(0) + wrapInt16(vert * diry * grid::cell)));
    Image1.setLeft(0, wrapInt16(Image1.left(0) + wrapInt16(horiz * dirx * grid::cell)));

    const platform::Sprite head = Image1[0];
    for (int i = 1; i < n; ++i) {
        if (sameCell(Image1[i], head)) {
            crash();
            return;
        }
    }

    const int height = Picture1->clientHeight();
    const int width = Picture1->clientWidth();
    if (head.top < 0 || head.left > width || head.left < 0 || head.top > height) {
        crash();
        return;
    }

    const int m = Image3.size();
    for (int i = 1; i < m; ++i) {
        if (sameCell(Image3[i], head)) {
            crash();
            return;
        }
    }

    if (!Timer1.isRunning())
        return;
    eat_food();
}

void Form1::Picture1_KeyDown(std::int16_t keyCode)
{
    if (!Timer1.isRunning())
        return;
    switch (keyCode) {
    case platform::key::left:
        dirx = -1;
        vert = 0;
        horiz = 1;
        break;
    case platform::key::up:
        diry = -1;
        vert = 1;
        horiz = 0;
        break;
    case platform::key::right:
        dirx = 1;
        vert = 0;
        horiz = 1;
        break;
    case platform::key::down:
        diry = 1;
        vert = 1;
        horiz = 0;
        break;
    default:
        break;
    }
}

void Form1::eat_food()
{
    for (int f = 1; f <= 4 && f < Image2.size(); ++f) {
        if (!Image2.visible(f) || !sameCell(Image2[f], Image1[0]))
            continue;
        growSnake();
        Image2.setVisible(f, false);
        remaining = wrapInt16(remaining - 1);
        Label8->setNum(remaining);
        score = wrapInt16(score + 10);
        Label2->setNum(score);
        eaten = wrapInt16(eaten + 1);
        if (eaten != 4)
            continue;

        batches = wrapInt16(batches + 1);
        if (batches != 3) {
            setup_level();
            return;
        }
        level = wrapInt16(level + 1);
        Label4->setNum(wrapInt16(level + 1));
        remaining = 12;
        Label8->setNum(remaining);
        if (level == levels)
            completeStage();
        else
            startNextLevel();
        return;
    }
}

void Form1::growSnake()
{
    const int tail = Image1.size() - 1;
    Image1.add(Image1.top(tail), Image1.left(tail));
}

} // namespace game
