// Offering a place in the hall of fame at the end of a game.
#include "game/form1.h"

#include "game/form3.h"
#include "game/hall_file.h"
#include "platform/dialogs.h"

namespace game {

void Form1::hall_entry()
{
    for (int k = 0; k < 5; ++k) {
        if (score <= hall_file::leadingNumber(form3->place(k).score))
            continue;
        const QString typed = dialogs.input(QStringLiteral("Tvé skóre je hodno na zápis do síně slávy!"),
                                            QStringLiteral("Síň slávy"));
        form3->setPlace(k, {hall_file::storableName(typed), QString::number(score)});
        form3->show();
        // Kept on disk at once, so that the entry outlives a crash of the
        // program as well as its ordinary end. A failure here is told only
        // by the write at close.
        form3->save(hallFile());
        return;
    }
}

} // namespace game
