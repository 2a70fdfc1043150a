// The menu bar and the commands that only switch windows and timers.
#include "game/form1.h"

#include "game/form2.h"
#include "game/form3.h"
#include "game/hall_file.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/window_placement.h"

#include <QMenuBar>

namespace game {

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
    form3->show();
}

void Form1::mnOProgramu_Click()
{
    if (prechod == -1)
        return;
    const bool firstShow = !hasAboutWindow();
    Form2 *about = aboutWindow();
    about->Timer1.setInterval(150);
    Timer1.setInterval(0);
    about->show();
    if (firstShow)
        platform::centreOnScreen(*about);
}

void Form1::mnExit_Click()
{
    close();
}

void Form1::saveHall()
{
    if (!form3->save(hallFile()))
        message(QStringLiteral("Síň slávy nelze uložit do souboru\n%1").arg(platform::toQString(hallFile())));
}

} // namespace game
