// An offscreen image of a playfield's client area that the benchmark draws
// into, as the playfield draws itself when it is repainted.
#pragma once

#include "platform/playfield.h"

#include <QImage>
#include <QRegion>

namespace bench {

class Canvas
{
public:
    explicit Canvas(const platform::Playfield &playfield);

    // Delivers the posted events, the flush that the playfield queued after
    // a change among them, and returns the region it asked to repaint.
    static QRegion takeChanges(platform::Playfield &playfield);

    void draw(const platform::Playfield &playfield, const QRegion &region);
    void drawAll(const platform::Playfield &playfield);

private:
    QImage image;
};

} // namespace bench
