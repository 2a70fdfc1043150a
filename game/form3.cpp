// The hall of fame window.
#include "game/form3.h"

#include "game/form1.h"
#include "game/label_style.h"
#include "platform/clickable_label.h"
#include "platform/files.h"

#include <QFrame>
#include <QLabel>

namespace game {
namespace {

const std::array<QColor, 5> placeColours{
    QColor(0x80, 0x80, 0xFF), QColor(0x00, 0xFF, 0x00), QColor(0xFF, 0x00, 0x00),
    QColor(0x00, 0x00, 0xFF), QColor(0xFF, 0x00, 0xFF),
};

} // namespace

Form3::Form3(Form1 &main)
    : QWidget(&main, Qt::Window | Qt::FramelessWindowHint)
    , main(main)
{
    setWindowTitle(QStringLiteral("Síň slávy"));
    setFixedSize(333, 231);
    paintBlack(*this);

    auto *Shape1 = new QFrame(this);
    Shape1->setGeometry(32, 16, 265, 177);
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setStyleSheet(QStringLiteral("color: #C0C0FF"));

    const HallTable initial = hall_file::initialTable();
    for (int k = 0; k < 5; ++k) {
        const int top = 24 + 32 * k;
        const auto index = static_cast<std::size_t>(k);
        Label1[index] = makeLabel(this, initial[index].name, {24, top, 153, 25}, placeColours[index]);
        Label1[index]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Label2[index] = makeLabel(this, initial[index].score, {192, top, 73, 25}, placeColours[index]);
    }

    Label3 = new platform::ClickableLabel(QStringLiteral("Zpátky do hry..."), this);
    styleLabel(*Label3, {64, 200, 201, 25}, valueColour);
    Label3->setCursor(Qt::PointingHandCursor);
    connect(Label3, &platform::ClickableLabel::clicked, this, &Form3::Label3_Click);
}

HallPlace Form3::place(int k) const
{
    const auto index = static_cast<std::size_t>(k);
    return {Label1[index]->text(), Label2[index]->text()};
}

void Form3::setPlace(int k, const HallPlace &place)
{
    const auto index = static_cast<std::size_t>(k);
    Label1[index]->setText(place.name);
    Label2[index]->setText(place.score);
}

HallTable Form3::table() const
{
    HallTable table;
    for (int k = 0; k < 5; ++k)
        table[static_cast<std::size_t>(k)] = place(k);
    return table;
}

void Form3::showTable(const HallTable &table)
{
    for (int k = 0; k < 5; ++k)
        setPlace(k, table[static_cast<std::size_t>(k)]);
}

void Form3::enter(int k, const HallPlace &place)
{
    setPlace(k, place);
    unsaved.push_back(place);
}

void Form3::load(const std::filesystem::path &file)
{
    lastOnDisk = platform::readFileStart(file, hall_file::readLimit);
    std::error_code error;
    keepUnreadFile = !lastOnDisk && std::filesystem::exists(file, error);
    if (!lastOnDisk)
        return;
    HallTable loaded = table();
    hall_file::apply(*lastOnDisk, loaded);
    showTable(loaded);
}

// A file that could not be read counts as changed when it is there now.
bool Form3::changedOnDisk(const std::filesystem::path &file, const std::optional<QByteArray> &now) const
{
    std::error_code error;
    return now != lastOnDisk || (!now && std::filesystem::exists(file, error));
}

// The table that the stored bytes give, as a load gives it, with each entry
// placed in turn as a game's end places it.
HallTable Form3::withUnsavedEntries(const QByteArray &stored) const
{
    HallTable table = hall_file::initialTable();
    hall_file::apply(stored, table);
    for (const HallPlace &entry : unsaved) {
        if (const auto k = hall_file::placeFor(table, hall_file::leadingNumber(entry.score)))
            table[static_cast<std::size_t>(*k)] = entry;
    }
    return table;
}

bool Form3::save(const std::filesystem::path &file)
{
    if (keepUnreadFile)
        return false;
    const auto now = platform::readFileStart(file, hall_file::readLimit);
    if (changedOnDisk(file, now)) {
        std::error_code error;
        if (unsaved.empty())
            return true;
        if (!now && std::filesystem::exists(file, error))
            return false;
        showTable(withUnsavedEntries(now.value_or(QByteArray())));
    }
    const QByteArray bytes = hall_file::bytes(table());
    if (!platform::replaceFile(file, bytes))
        return false;
    lastOnDisk = bytes;
    unsaved.clear();
    return true;
}

void Form3::Label3_Click()
{
    if (main.gameUnderWay())
        main.Timer1.setInterval(main.rychlost);
    hide();
}

} // namespace game
