// The About window: a chain of snake sprites circling the edges of a black
// box while a line of text turns through it. Created once, then only shown
// and hidden, so the animation goes on where it stopped.
#pragma once

#include "platform/sprite_collection.h"
#include "platform/timer.h"

#include <QWidget>

#include <cstdint>

class QLabel;
struct GameRun;

namespace platform {
class ClickableLabel;
class Playfield;
} // namespace platform

namespace game {

class Form1;

class Form2 : public QWidget
{
public:
    explicit Form2(Form1 &main);

    void startAnimation();

private:
    friend struct ::GameRun;

    static const QString text;

    void Timer1_Timer();
    void turnCorners();
    void Label1_Click();

    platform::Playfield *Picture1;
    platform::SpriteCollection Image1; // element 0 leads the chain
    QLabel *Label2;                    // the turning text
    platform::ClickableLabel *Label1;
    platform::Timer Timer1;

    std::int16_t diry = 0;
    std::int16_t vert = 0;
    std::int16_t dirx = 0;
    std::int16_t horiz = 0;

    Form1 &main;
};

} // namespace game
