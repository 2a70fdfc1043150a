// Key code mapping.
#include "platform/key_codes.h"

#include <Qt>

namespace platform {

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

} // namespace platform
