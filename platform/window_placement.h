// Placing top-level windows.
#pragma once

class QWidget;

namespace platform {

// Centres the window, frame included, on the screen it is on.
void centreOnScreen(QWidget &window);

} // namespace platform
