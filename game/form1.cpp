// The game window: its controls and menus, its start, the commands that only
// switch windows and timers, and its closing.
#include "game/form1.h"

#include "game/form2.h"
#include "game/form3.h"
#include "game/label_style.h"
#include "levelfile/grid.h"
#include "levelfile/level_count.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/pictures.h"
#include "platform/playfield.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>

namespace game {

Form1::Form1(platform::Dialogs &dialogs, platform::RandomSource &random, std::filesystem::path folder, QWidget *parent)
    : QMainWindow(parent)
    , Timer1([this] { Timer1_Timer(); })
    , Image1({grid::start, grid::start, true})
    , Image2({224, 120, false})
    , Image3({112, 104, false})
    , dialogs(dialogs)
    , random(random)
    , folder(std::move(folder))
{
    setWindowTitle(QStringLiteral("Tolmar Korvo v1.3"));
    setWindowIcon(platform::programIcon());

    auto *client = new QWidget(this);
    client->setFixedSize(369, 285);
    paintBlack(*client);
    setCentralWidget(client);

    Picture1 = new platform::Playfield(client);
    Picture1->move(8, 8);
    Picture1->addLayer(Image3, platform::wallPicture());
    Picture1->addLayer(Image2, platform::foodPicture());
    Picture1->addLayer(Image1, platform::snakePicture());
    connect(Picture1, &platform::Playfield::keyDown, this, &Form1::Picture1_KeyDown);

    createLabels(client);
    createMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Picture1->setFocus();
}

void Form1::createLabels(QWidget *client)
{
    Label1 = makeLabel(client, QStringLiteral("Tvé skóre"), {288, 8, 73, 17}, headingColour);
    Label2 = makeLabel(client, QStringLiteral("0"), {288, 32, 73, 17}, valueColour);
    Label3 = makeLabel(client, QStringLiteral("Level"), {288, 64, 73, 25}, headingColour);
    Label4 = makeLabel(client, QStringLiteral("1"), {288, 88, 73, 17}, valueColour);
    Label5 = makeLabel(client, QStringLiteral("Počet životů"), {288, 120, 73, 49}, headingColour);
    Label6 = makeLabel(client, QStringLiteral("3"), {288, 168, 73, 17}, valueColour);
    Label7 = makeLabel(client, QStringLiteral("Ještě ti zbývá"), {288, 192, 73, 41}, headingColour);
    Label8 = makeLabel(client, QStringLiteral("12"), {296, 240, 57, 25}, valueColour);
    Label5->setWordWrap(true);
    Label7->setWordWrap(true);
}

void Form1::createMenus()
{
    QMenu *mnSoubor = menuBar()->addMenu(QStringLiteral("Soubor"));
    mnNova = mnSoubor->addAction(QStringLiteral("Nová hra"), this, &Form1::mnNova_Click);
    mnNova->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    mnPokracuj = mnSoubor->addAction(QStringLiteral("Pokračuj ve hře"), this, &Form1::mnPokracuj_Click);
    mnPokracuj->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnSoubor->addSeparator();
    mnPause = mnSoubor->addAction(QStringLiteral("Přestávka"));
    mnPause->setShortcut(QKeySequence(Qt::Key_F1));
    mnPause->setCheckable(true);
    // The command alone decides the check mark, so undo the toolkit's own
    // toggle before it runs.
    connect(mnPause, &QAction::triggered, this, [this](bool checked) {
        mnPause->setChecked(!checked);
        mnPause_Click();
    });
    mnSin = mnSoubor->addAction(QStringLiteral("Síň slávy"), this, &Form1::mnSin_Click);
    mnSoubor->addSeparator();
    mnExit = mnSoubor->addAction(QStringLiteral("Exit"), this, &Form1::mnExit_Click);
    mnExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnOProgramu = menuBar()->addAction(QStringLiteral("O Programu"), this, &Form1::mnOProgramu_Click);
}

void Form1::mnPause_Click()
{
    if (prechod == 0)
        return;
    if (!mnPause->isChecked()) {
        Timer1.setInterval(0);
        mnPause->setChecked(true);
        prechod2 = -1;
    } else {
        Timer1.setInterval(rychlost);
        mnPause->setChecked(false);
        prechod2 = 0;
    }
}

void Form1::mnSin_Click()
{
    if (prechod == -1)
        return;
    platform::showInFront(*form3);
}

void Form1::mnOProgramu_Click()
{
    if (prechod == -1)
        return;
    const bool firstShow = form2 == nullptr;
    Form2 *about = aboutWindow();
    about->startAnimation();
    Timer1.setInterval(0);
    if (firstShow)
        platform::centreOnScreen(*about);
    platform::showInFront(*about);
}

void Form1::mnExit_Click()
{
    close();
}

bool Form1::Form_Load()
{
    mnPause->setChecked(false);
    for (int i = 1; i <= 2; ++i)
        Image1.setVisible(Image1.create(), true);

    const std::filesystem::path countFile = folder / "levels" / "levels.ini";
    const std::optional<std::int16_t> count = levelfile::readLevelCount(countFile);
    if (!count) {
        message(QStringLiteral("Nelze přečíst počet levelů ze souboru\n%1").arg(platform::toQString(countFile)));
        return false;
    }
    levels = *count;

    form3 = new Form3(*this);
    form3->load(hallFile());
    return true;
}

Form2 *Form1::aboutWindow()
{
    if (!form2)
        form2 = new Form2(*this);
    return form2;
}

std::filesystem::path Form1::levelFile(std::int16_t index) const
{
    return folder / "levels" / ("level" + std::to_string(index) + ".lvl");
}

std::filesystem::path Form1::hallFile() const
{
    return folder / "data" / "hal.hal";
}

std::filesystem::path Form1::savedGameFile() const
{
    return folder / "data" / "user.pla";
}

void Form1::message(const QString &text, const QString &title)
{
    dialogs.message(text, title);
}

void Form1::closeEvent(QCloseEvent *event)
{
    Timer1.setInterval(0);
    if (form3)
        saveHall();
    if (form2)
        form2->close();
    if (form3)
        form3->close();
    event->accept();
}

void Form1::saveHall()
{
    if (!form3->save(hallFile()))
        message(QStringLiteral("Síň slávy nelze uložit do souboru\n%1").arg(platform::toQString(hallFile())));
}

} // namespace game
