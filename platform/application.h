// What both programs ask of the toolkit for their windows: its own texts in
// Czech, and placing and raising top-level windows.
#pragma once

class QCoreApplication;
class QWidget;

namespace platform {

// Makes Czech the language of the toolkit's own texts (the buttons and
// captions of the standard boxes and dialogs, where the system has the
// translation) and of the texts it formats.
void installCzechTranslation(QCoreApplication &application);

// Centres the window, frame included, on the screen it is on. Called before
// the window is first shown, so that the window manager maps it there.
void centreOnScreen(QWidget &window);

// Shows the window, or brings it to the front if it is open behind others,
// and gives it the focus.
void showInFront(QWidget &window);

} // namespace platform
