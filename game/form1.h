// The game window: the playfield, the status labels, the menus and the whole
// state of a game. Its work stands in four files:
//   form1.cpp         the window, its menus, its start and its closing;
//   form1_tick.cpp    the tick, steering and eating;
//   form1_levels.cpp  the snake's start, level setup and food, the next level
//                     and the next stage, shortening the snake;
//   form1_game.cpp    a game's life: new game, continue, saving the game,
//                     crash, end of game and the hall of fame entry.
#pragma once

#include "platform/sprite_collection.h"
#include "platform/timer.h"

#include <QMainWindow>

#include <cstdint>
#include <filesystem>

class QAction;
class QLabel;
struct GameRun;

namespace platform {
class Dialogs;
class Playfield;
class RandomSource;
} // namespace platform

namespace game {

class Form2;
class Form3;

class Form1 : public QMainWindow
{
public:
    Form1(platform::Dialogs &dialogs, platform::RandomSource &random, std::filesystem::path folder,
          QWidget *parent = nullptr);

    // The start sequence, before the window is shown. False when the level
    // count cannot be read; the player has then been told why.
    bool Form_Load();

    void je_tamm(std::int16_t fx, std::int16_t ax, std::int16_t bx);

    // A game is in progress, paused or not: what the hall and About windows
    // ask before they restart the game's tick on their way back.
    bool gameUnderWay() const { return prechod != 0 || prechod2 != 0; }

    // Game state. The truth values hold -1 for true and 0 for false.
    std::int16_t prechod = 0;  // a game is in progress, paused or not
    std::int16_t prechod2 = 0; // the game is paused
    std::int16_t rychlost = 0; // tick interval in milliseconds
    platform::Timer Timer1;

private:
    friend struct ::GameRun;

    void createLabels(QWidget *client);
    void createMenus();

    // The About window, created hidden on first use.
    Form2 *aboutWindow();

    void Timer1_Timer();
    void Picture1_KeyDown(std::int16_t keyCode);
    void eat_food();
    void growSnake();

    void reset_snake();
    void setup_level();
    void load_level();
    void placeFood(int index);
    void repairFood(int index);
    void completeStage();
    void startNextLevel();
    void shortenSnake();

    void mnNova_Click();
    void mnPokracuj_Click();
    void mnPause_Click();
    void mnSin_Click();
    void mnOProgramu_Click();
    void mnExit_Click();

    void showValues();
    void createFood();
    void startGame();
    void crash();
    void end_game();
    void hall_entry();
    void save_game();

    std::filesystem::path levelFile(std::int16_t index) const;
    std::filesystem::path hallFile() const;
    std::filesystem::path savedGameFile() const;
    void message(const QString &text, const QString &title = QStringLiteral("Korvo"));
    void saveHall();
    void closeEvent(QCloseEvent *event) override;

    std::int16_t dirx = 0;
    std::int16_t diry = 0;
    std::int16_t vert = 0;
    std::int16_t horiz = 0;
    std::int16_t levels = 0;
    std::int16_t level = 0;
    std::int16_t score = 0;
    std::int16_t lives = 0;
    std::int16_t remaining = 0;
    std::int16_t eaten = 0;
    std::int16_t batches = 0;

    platform::SpriteCollection Image1; // the snake, element 0 the head
    platform::SpriteCollection Image2; // food items 1 to 4
    platform::SpriteCollection Image3; // walls

    platform::Playfield *Picture1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label8;

    QAction *mnNova;
    QAction *mnPokracuj;
    QAction *mnPause;
    QAction *mnSin;
    QAction *mnExit;
    QAction *mnOProgramu;

    platform::Dialogs &dialogs;
    platform::RandomSource &random;
    std::filesystem::path folder;
    Form2 *form2 = nullptr;
    Form3 *form3 = nullptr;
};

} // namespace game
