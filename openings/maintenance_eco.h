// Upkeep of the opening base: emptying the learned lines, compacting the
// file, repairing it.
//
// Compaction and repair work on the file: they refuse while another window
// (the data grid) holds it open, write their new file under a name of their
// own in the same folder, and put it in place only once it is whole; when
// they fail, the base stays where it was and db_eco is open on it again.
#pragma once

#include <QString>
#include <QStringList>

// Removes what a compaction or a repair stopped part way (the program killed)
// left beside the base `chemin`: its copies, named after the base with
// ".compacte-" or ".reparee-" and a UUID, and their journals; nothing else.
// Returns the files removed. Run by both jobs and at start-up.
int supprime_restes_maintenance(const QString& chemin);

// "Vider la base de connaissance": the learned lines go, after a question;
// refused with text 227 when the base is off for the engine profile in force.
void vide_base_connaissance();

// "Réorganiser la base de connaissance": the file is rewritten compacted.
void reorganise_base_eco();

// "Réparer la base de connaissance": the file is checked; a damaged file is
// replaced by a new one holding every row that can still be read, and kept
// beside it under a name that says so; a file from which nothing can be
// read is left as it is. The message says what was done.
void repare_base_eco();

// What a repair did.
struct BilanReparation {
  enum Issue { INTACTE, REPAREE, ILLISIBLE } issue = INTACTE;
  QStringList problemes;   // what the check found
  int lignes = 0;          // rows kept in the new file
  bool pertes = false;     // parts of the old file could not be read
  QString ancienne;        // where the damaged file is kept
};
// The job of the repair on the file `chemin` (db_eco closed meanwhile and
// opened again after). Throws for an error of the job itself.
BilanReparation repare_fichier_eco(const QString& chemin);
