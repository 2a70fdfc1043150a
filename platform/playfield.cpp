// The picture area.
#include "platform/playfield.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace platform {
namespace {

QRect spriteRect(const Sprite &sprite)
{
    return {sprite.left, sprite.top, grid::cell, grid::cell};
}

int cellsAcross(int pixels)
{
    return (pixels + grid::cell - 1) / grid::cell;
}

// The virtual key code of a Qt key, 0 for keys the game does not use.
std::int16_t virtualKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left:
        return key::left;
    case Qt::Key_Up:
        return key::up;
    case Qt::Key_Right:
        return key::right;
    case Qt::Key_Down:
        return key::down;
    default:
        return 0;
    }
}

} // namespace

Playfield::Playfield(QWidget *parent, QSize clientSize)
    : QFrame(parent)
    , columns(cellsAcross(clientSize.width()))
    , rows(cellsAcross(clientSize.height()))
    , shown(static_cast<std::size_t>(columns * rows), -1)
    , dirty(static_cast<std::size_t>(columns * rows), false)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(border);
    setFixedSize(clientSize + QSize(2 * border, 2 * border));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Playfield::~Playfield()
{
    for (Layer &layer : layers) {
        if (layer.sprites)
            layer.sprites->setObserver(nullptr);
    }
}

void Playfield::addLayer(SpriteCollection &sprites, const QImage &picture)
{
    layers.push_back({&sprites, picture, std::vector<std::uint16_t>(shown.size(), 0), 0});
    for (const Sprite &sprite : sprites.all())
        count(layers.back(), sprite, +1);
    sprites.setObserver(this);
    flushChanges();
}

void Playfield::setBackground(const QImage &image)
{
    this->image = image;
    update();
}

void Playfield::spriteChanged(const SpriteCollection &sprites, const Sprite &before, const Sprite &after)
{
    Layer *layer = layerOf(sprites);
    if (!layer)
        return;
    count(*layer, before, -1);
    count(*layer, after, +1);
    queueFlush();
}

// A collection that goes away takes its sprites off the field.
void Playfield::collectionDestroyed(const SpriteCollection &sprites)
{
    Layer *layer = layerOf(sprites);
    if (!layer)
        return;
    for (const Sprite &sprite : sprites.all())
        count(*layer, sprite, -1);
    layer->sprites = nullptr;
    queueFlush();
}

void Playfield::queueFlush()
{
    if (!flushQueued) {
        flushQueued = true;
        QMetaObject::invokeMethod(this, &Playfield::flushChanges, Qt::QueuedConnection);
    }
}

void Playfield::count(Layer &layer, const Sprite &sprite, int change)
{
    if (!sprite.visible)
        return;
    const int cell = cellOf(sprite);
    if (cell >= 0) {
        layer.counts[static_cast<std::size_t>(cell)] += change;
        markDirty(cell);
    } else if (cell == -1) {
        layer.offGrid += change;
        requestRepaint(spriteRect(sprite));
    }
}

void Playfield::markDirty(int cell)
{
    if (!dirty[static_cast<std::size_t>(cell)]) {
        dirty[static_cast<std::size_t>(cell)] = true;
        dirtyCells.push_back(cell);
    }
}

void Playfield::flushChanges()
{
    flushQueued = false;
    for (int cell : dirtyCells) {
        dirty[static_cast<std::size_t>(cell)] = false;
        const int layer = topLayerAt(cell);
        if (layer != shown[static_cast<std::size_t>(cell)]) {
            shown[static_cast<std::size_t>(cell)] = layer;
            requestRepaint(cellRect(cell));
        }
    }
    dirtyCells.clear();
}

QRegion Playfield::takeRequestedRegion()
{
    return std::exchange(requested, QRegion());
}

void Playfield::requestRepaint(const QRect &area)
{
    requested += area;
    update(area.translated(contentsRect().topLeft()));
}

// The cell a sprite fills exactly, -1 when it lies between cells, and -2 when
// it lies on the grid but wholly outside the field.
int Playfield::cellOf(const Sprite &sprite) const
{
    if (sprite.left % grid::cell != 0 || sprite.top % grid::cell != 0)
        return -1;
    const int column = sprite.left / grid::cell;
    const int row = sprite.top / grid::cell;
    if (column < 0 || row < 0 || column >= columns || row >= rows)
        return -2;
    return row * columns + column;
}

QRect Playfield::cellRect(int cell) const
{
    return {cell % columns * grid::cell, cell / columns * grid::cell, grid::cell, grid::cell};
}

int Playfield::topLayerAt(int cell) const
{
    for (int layer = static_cast<int>(layers.size()) - 1; layer >= 0; --layer) {
        if (layers[static_cast<std::size_t>(layer)].counts[static_cast<std::size_t>(cell)] > 0)
            return layer;
    }
    return -1;
}

Playfield::Layer *Playfield::layerOf(const SpriteCollection &sprites)
{
    for (Layer &layer : layers) {
        if (layer.sprites == &sprites)
            return &layer;
    }
    return nullptr;
}

void Playfield::render(QPainter &painter, const QRect &area) const
{
    const QRect client = area & QRect(0, 0, clientWidth(), clientHeight());
    if (client.isEmpty())
        return;
    // Sprites of the last column and row, and those between cells, reach
    // past the area; the painter keeps them inside it.
    painter.save();
    painter.setClipRect(client, Qt::IntersectClip);
    if (image.isNull())
        painter.fillRect(client, Qt::black);
    else
        painter.drawImage(client.topLeft(), image, client);

    const int firstColumn = client.left() / grid::cell;
    const int lastColumn = std::min(client.right() / grid::cell, columns - 1);
    const int firstRow = client.top() / grid::cell;
    const int lastRow = std::min(client.bottom() / grid::cell, rows - 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const int cell = row * columns + column;
            const int layer = topLayerAt(cell);
            if (layer >= 0)
                painter.drawImage(cellRect(cell).topLeft(), layers[static_cast<std::size_t>(layer)].picture);
        }
    }

    for (const Layer &layer : layers) {
        if (layer.offGrid == 0 || !layer.sprites)
            continue;
        for (const Sprite &sprite : layer.sprites->all()) {
            if (sprite.visible && cellOf(sprite) == -1 && spriteRect(sprite).intersects(client))
                painter.drawImage(spriteRect(sprite).topLeft(), layer.picture);
        }
    }
    painter.restore();
}

void Playfield::paintEvent(QPaintEvent *event)
{
    requested = QRegion();
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect client = contentsRect();
    painter.setClipRect(client);
    painter.translate(client.topLeft());
    for (const QRect &area : event->region())
        render(painter, area.translated(-client.topLeft()));
}

void Playfield::keyPressEvent(QKeyEvent *event)
{
    const std::int16_t code = virtualKeyCode(event->key());
    if (code == 0) {
        QFrame::keyPressEvent(event);
        return;
    }
    emit keyDown(code);
}

void Playfield::mousePressEvent(QMouseEvent *event)
{
    // The widget's own position() comes rounded to whole logical pixels; the
    // window's position keeps the fraction of a device pixel.
    const QPointF position =
        event->scenePosition() - QPointF(mapTo(window(), contentsRect().topLeft()));
    if (position.x() >= 0 && position.y() >= 0 && position.x() < clientWidth() && position.y() < clientHeight())
        emit pressed(event->button(), event->modifiers(), position);
}

} // namespace platform
