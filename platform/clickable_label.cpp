// Clickable labels.
#include "platform/clickable_label.h"

#include <QMouseEvent>

namespace platform {

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace platform
