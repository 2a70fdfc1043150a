// The About window.
#include "game/form2.h"

#include "game/form1.h"
#include "game/label_style.h"
#include "levelfile/grid.h"
#include "levelfile/int16.h"
#include "platform/clickable_label.h"
#include "platform/pictures.h"
#include "platform/playfield.h"

#include <QLabel>

namespace game {
namespace {

// The corners of the track the head runs along.
constexpr std::int16_t leftEdge = 0;
constexpr std::int16_t rightEdge = 441;
constexpr std::int16_t topEdge = 0;
constexpr std::int16_t bottomEdge = 108;

} // namespace

const QString Form2::text = QStringLiteral(
    "Korvo v1.3 - hladový had v bludišti zdí. Hru i editor levelů napsal Tolmar. "
    "Nápady, chyby a vlastní levely posílejte autorovi e-mailem, nejlepší levely "
    "se dostanou do další verze. Díky za hraní! ****");

Form2::Form2(Form1 &main)
    : QWidget(&main, Qt::Window | Qt::FramelessWindowHint)
    , Image1({rightEdge, bottomEdge, true})
    , Timer1([this] { Timer1_Timer(); })
    , main(main)
{
    setWindowTitle(QStringLiteral("O Programu"));
    setFixedSize(472, 162);
    paintBlack(*this);

    Picture1 = new platform::Playfield(this, {453, 117});
    Picture1->move(8, 8);
    Picture1->setFocusPolicy(Qt::NoFocus);
    Picture1->addLayer(Image1, platform::snakePicture());

    Label2 = makeLabel(Picture1, text, {platform::Playfield::border + 8, platform::Playfield::border + 40, 1609, 34},
                       valueColour);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Label1 = new platform::ClickableLabel(QStringLiteral("Zpět do hry..."), this);
    styleLabel(*Label1, {104, 136, 273, 25}, valueColour);
    Label1->setCursor(Qt::PointingHandCursor);
    connect(Label1, &platform::ClickableLabel::clicked, this, &Form2::Label1_Click);

    for (int k = 1; k <= 10; ++k)
        Image1.setVisible(Image1.create(), true);
}

void Form2::startAnimation()
{
    Timer1.setInterval(150);
}

void Form2::Timer1_Timer()
{
    for (int k = 10; k >= 1; --k) {
        Image1.setTop(k, Image1.top(k - 1));
        Image1.setLeft(k, Image1.left(k - 1));
    }
    Image1.setTop(0, levelfile::wrapInt16(Image1.top(0) + diry * vert * grid::cell));
    Image1.setLeft(0, levelfile::wrapInt16(Image1.left(0) + dirx * horiz * grid::cell));
    turnCorners();

    const QString turning = Label2->text();
    if (!turning.isEmpty())
        Label2->setText(turning.mid(1) + turning.at(0));
}

void Form2::turnCorners()
{
    const std::int16_t top = Image1.top(0);
    const std::int16_t left = Image1.left(0);
    if (top == bottomEdge && left == leftEdge) {
        dirx = 1;
        vert = 0;
        horiz = 1;
    }
    if (top == topEdge && left == rightEdge) {
        dirx = -1;
        vert = 0;
        horiz = 1;
    }
    if (left == rightEdge && top == bottomEdge) {
        diry = -1;
        vert = 1;
        horiz = 0;
    }
    if (left == leftEdge && top == topEdge) {
        diry = 1;
        vert = 1;
        horiz = 0;
    }
}

void Form2::Label1_Click()
{
    if (main.gameUnderWay())
        main.Timer1.setInterval(main.rychlost);
    Timer1.setInterval(0);
    hide();
}

} // namespace game
