// The look shared by the labels of the game's windows: a 12-point sans-serif
// text, centred, on the black of its window.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace game {

inline const QColor headingColour{0xC0, 0xC0, 0xFF};
inline const QColor valueColour{0x80, 0x80, 0xFF};

void paintBlack(QWidget &widget);
void styleLabel(QLabel &label, const QRect &geometry, const QColor &colour);
QLabel *makeLabel(QWidget *parent, const QString &text, const QRect &geometry, const QColor &colour);

} // namespace game
