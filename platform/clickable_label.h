// A label that reports clicks on it.
#pragma once

#include <QLabel>

namespace platform {

class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace platform
