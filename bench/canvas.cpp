// The offscreen image.
#include "bench/canvas.h"

#include <QCoreApplication>
#include <QPainter>

namespace bench {

Canvas::Canvas(const platform::Playfield &playfield)
    : image(playfield.clientWidth(), playfield.clientHeight(), QImage::Format_RGB32)
{
}

QRegion Canvas::takeChanges(platform::Playfield &playfield)
{
    // Everything posted is delivered, as the event loop would: left in the
    // queue, the events of the window's creation would make every later
    // delivery search past them.
    QCoreApplication::sendPostedEvents();
    return playfield.takeRequestedRegion();
}

void Canvas::draw(const platform::Playfield &playfield, const QRegion &region)
{
    QPainter painter(&image);
    for (const QRect &area : region)
        playfield.render(painter, area);
}

void Canvas::drawAll(const platform::Playfield &playfield)
{
    draw(playfield, QRect(0, 0, playfield.clientWidth(), playfield.clientHeight()));
}

} // namespace bench
