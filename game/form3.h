// The hall of fame window. Its labels hold the table while the program runs;
// it is only ever hidden, never closed, until the program ends.
#pragma once

#include "game/hall_file.h"

#include <QWidget>

#include <array>
#include <filesystem>

class QLabel;

namespace platform {
class ClickableLabel;
}

namespace game {

class Form1;

class Form3 : public QWidget
{
public:
    explicit Form3(Form1 &main);

    std::array<QLabel *, 5> Label1{}; // names, best first
    std::array<QLabel *, 5> Label2{}; // scores
    platform::ClickableLabel *Label3;

    HallPlace place(int k) const;
    void setPlace(int k, const HallPlace &place);
    HallTable table() const;

    // Fills the places from the file; a missing or unreadable file leaves
    // the table as it is.
    void load(const std::filesystem::path &file);
    // False when the file cannot be written, and when it was there at load
    // but could not be read: the table shown lacks its entries, so it is
    // kept rather than replaced.
    bool save(const std::filesystem::path &file) const;

    void Label3_Click();

private:
    Form1 &main;
    bool keepUnreadFile = false;
};

} // namespace game
