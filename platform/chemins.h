// The program folder and the path rules.
#pragma once

#include <QString>

namespace plateforme {

// The program folder: the folder of the executable, unless a test set another.
QString chemin_appli();
void definit_chemin_appli(const QString& dossier);

// A stored path with backslashes, read with slashes.
QString chemin_natif(const QString& chemin);

// A path made absolute the program's way: an absolute path stays, a path
// written from the root of the program ("\base\eco.db") or a relative one is
// taken under the program folder.
QString chemin_absolu(const QString& chemin);

}  // namespace plateforme
