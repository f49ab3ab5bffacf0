// The file dialogs: choose a file to open or a name to save under.
//
// The filter is given the program's way, pairs of a description and a
// pattern joined by "|" (" PGN (*.pgn)|*.pgn"). A cancel gives an empty name.
// In tests the names are queued beforehand and every dialog shown is
// recorded; a dialog nobody queued an answer for is reported like an
// unexpected message box.
#pragma once

#include <QList>
#include <QString>

namespace plateforme {

QString choisit_fichier_a_ouvrir(const QString& titre, const QString& filtre, const QString& dossier = QString(),
                                 const QString& nom = QString());
// `demande_ecrasement` false: the dialog takes an existing file without
// asking whether to replace it (the caller adds to it, or asks itself).
QString choisit_fichier_a_sauver(const QString& titre, const QString& filtre, const QString& dossier = QString(),
                                 const QString& nom = QString(), bool demande_ecrasement = true);

// "Desc|*.a|Desc2|*.b" as the Qt dialogs want it: "Desc (*.a);;Desc2 (*.b)".
QString filtre_qt(const QString& filtre);

// --- Seam for tests -----------------------------------------------------
struct DialogueVu {
  bool sauver = false;
  QString titre;
  QString filtre;
  QString dossier;
  QString nom;
  bool demande_ecrasement = false;  // a save dialog that asks before replacing a file
};

class DialoguesEnTest {
 public:
  // The next dialog answers `chemin` (an empty text is a cancel).
  static void repond(const QString& chemin);
  static const QList<DialogueVu>& vus();
  static void efface();
  static int reponses_restantes();
};

}  // namespace plateforme
