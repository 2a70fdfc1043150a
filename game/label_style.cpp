// Label looks.
#include "game/label_style.h"

#include <QFontDatabase>
#include <QLabel>

namespace game {
namespace {

QFont labelFont()
{
    // The captions were laid out for a narrow sans-serif face; Liberation
    // Sans keeps them inside their labels where the system has it.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setFamilies({QStringLiteral("Liberation Sans"), font.family()});
    font.setPointSize(12);
    return font;
}

} // namespace

void paintBlack(QWidget &widget)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void styleLabel(QLabel &label, const QRect &geometry, const QColor &colour)
{
    label.setGeometry(geometry);
    label.setFont(labelFont());
    label.setTextFormat(Qt::PlainText);
    label.setAlignment(Qt::AlignCenter);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

QLabel *makeLabel(QWidget *parent, const QString &text, const QRect &geometry, const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    styleLabel(*label, geometry, colour);
    return label;
}

} // namespace game
