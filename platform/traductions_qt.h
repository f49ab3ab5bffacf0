// Qt's own texts (standard buttons, file and print dialogs) in the
// program's language, from the translations Debian ships with Qt.
#pragma once

#include <QString>

namespace plateforme {

// Replaces the Qt translation in force by the one of `code` ("fr", "en",
// "it", "es", "de", "pt", "ru", "pl"). Returns false when no translation of
// Qt is installed for it; Qt then speaks English.
bool charge_traductions_qt(const QString& code);

}  // namespace plateforme
