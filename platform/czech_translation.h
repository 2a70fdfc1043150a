// The toolkit's own texts (the buttons of the standard boxes) in Czech.
#pragma once

class QCoreApplication;

namespace platform {

// Installs the toolkit's Czech translation where the system has it.
void installCzechTranslation(QCoreApplication &application);

} // namespace platform
