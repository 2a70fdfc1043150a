// The hall of fame file: ten lines in Windows-1250, each ended by CR LF,
// the name and then the score of each of the five places, best first.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace game {

struct HallPlace {
    QString name;
    QString score;
    friend bool operator==(const HallPlace &, const HallPlace &) = default;
};

using HallTable = std::array<HallPlace, 5>;

namespace hall_file {

constexpr qint64 readLimit = 1 << 20;

HallTable initialTable();
// Fills the places that the lines reach, names on even lines and scores on
// odd ones; lines end with CR LF, LF or CR, and lines past the tenth are
// ignored.
void apply(const QByteArray &bytes, HallTable &table);
QByteArray bytes(const HallTable &table);

// The place that a final score takes: the first whose score it beats.
std::optional<int> placeFor(const HallTable &table, double score);

// The number at the start of a score text, leading blanks skipped; 0 when
// the text does not begin with one.
double leadingNumber(const QString &text);
// A typed name as it can be stored: on one line, in the file's code page.
QString storableName(const QString &typed);

} // namespace hall_file
} // namespace game
