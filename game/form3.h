// The hall of fame window. Its labels hold the table while the program runs;
// it is only ever hidden, never closed, until the program ends.
#pragma once

#include "game/hall_file.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

class QLabel;
struct GameRun;

namespace platform {
class ClickableLabel;
}

namespace game {

class Form1;

class Form3 : public QWidget
{
public:
    explicit Form3(Form1 &main);

    HallTable table() const;

    // A new entry of this run, which the next save keeps in the file.
    void enter(int k, const HallPlace &place);

    // Fills the places from the file; a missing or unreadable file leaves
    // the table as it is.
    void load(const std::filesystem::path &file);
    // Writes the table, unless another writer changed the file since this
    // run last read or wrote it: then the file is left alone, or, with
    // entries of this run not yet saved, they take their places in the
    // table now in the file, which is written and shown. False when the
    // file cannot be written, and when it was there at load but could not
    // be read: the table shown lacks its entries, so it is kept rather than
    // replaced.
    bool save(const std::filesystem::path &file);

private:
    friend struct ::GameRun;

    HallPlace place(int k) const;
    void setPlace(int k, const HallPlace &place);
    void Label3_Click();
    void showTable(const HallTable &table);
    bool changedOnDisk(const std::filesystem::path &file, const std::optional<QByteArray> &now) const;
    HallTable withUnsavedEntries(const QByteArray &stored) const;

    std::array<QLabel *, 5> Label1{}; // names, best first
    std::array<QLabel *, 5> Label2{}; // scores
    platform::ClickableLabel *Label3;

    Form1 &main;
    bool keepUnreadFile = false;
    std::optional<QByteArray> lastOnDisk; // as this run last read or wrote the file
    std::vector<HallPlace> unsaved;       // entries of this run not yet in the file
};

} // namespace game
