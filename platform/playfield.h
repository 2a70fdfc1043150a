// A black picture area with a sunken 2-pixel border that draws sprite
// collections over an optional persistent image. It keeps, for each cell of
// the 9-pixel grid, how many visible sprites of each collection stand there,
// so that a change repaints only the cells whose look changed, however many
// sprites there are.
#pragma once

#include "levelfile/grid.h"
#include "platform/sprite_collection.h"

#include <QFrame>
#include <QImage>

#include <cstdint>
#include <vector>

namespace platform {

// Virtual key codes of the keys the game listens to.
namespace key {
constexpr std::int16_t left = 37;
constexpr std::int16_t up = 38;
constexpr std::int16_t right = 39;
constexpr std::int16_t down = 40;
} // namespace key

class Playfield : public QFrame, private SpriteObserver
{
    Q_OBJECT

public:
    static constexpr int border = 2;

    // The client area is clientSize; the sunken border lies around it.
    explicit Playfield(QWidget *parent = nullptr, QSize clientSize = {grid::fieldPixels, grid::fieldPixels});
    ~Playfield() override;

    // Collections are drawn in the order they were added, later ones on top.
    void addLayer(SpriteCollection &sprites, const QImage &picture);
    // The persistent image under the sprites; black where it is null.
    void setBackground(const QImage &image);
    QImage &background() { return image; }

    int clientWidth() const { return contentsRect().width(); }
    int clientHeight() const { return contentsRect().height(); }

    // Asks for a repaint of the cells whose look has changed since the last
    // call. Runs by itself once control returns to the event loop.
    void flushChanges();
    // The region, in client pixels, that flushChanges() has asked to repaint
    // since the last call of this function or the last paint.
    QRegion takeRequestedRegion();

    // Draws the client area, or a part of it, as it stands now.
    void render(QPainter &painter, const QRect &area) const;

signals:
    void keyDown(std::int16_t keyCode);
    // A press inside the client area, at its position in client pixels with
    // the fraction that a device pixel ratio above 1 gives.
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    struct Layer {
        SpriteCollection *sprites;
        QImage picture;
        std::vector<std::uint16_t> counts; // visible sprites per cell
        int offGrid = 0;                    // visible sprites between cells
    };

    void spriteChanged(const SpriteCollection &sprites, const Sprite &before, const Sprite &after) override;
    void collectionDestroyed(const SpriteCollection &sprites) override;
    void queueFlush();
    void count(Layer &layer, const Sprite &sprite, int change);
    void markDirty(int cell);
    void requestRepaint(const QRect &area);
    int topLayerAt(int cell) const;
    int cellOf(const Sprite &sprite) const;
    QRect cellRect(int cell) const;
    Layer *layerOf(const SpriteCollection &sprites);

    int columns;
    int rows;
    std::vector<Layer> layers;
    QImage image;
    std::vector<int> shown;  // the layer each cell showed at the last flush, -1 for none
    std::vector<int> dirtyCells;
    std::vector<bool> dirty;
    bool flushQueued = false;
    QRegion requested;
};

} // namespace platform
