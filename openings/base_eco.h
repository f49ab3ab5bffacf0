// The opening database: the connection db_eco, kept open for the whole run,
// and the prefix match that the lookups share.
//
// A line of table ECO (Eco_coup) is movetext followed by a blank and a
// terminator ("*" or a result): 1.e4 e5 2.Nf3 *. A line continues the moves
// m when it begins with m followed by a blank; the empty movetext is
// continued by every line. The match is exact and case-sensitive, so that
// 2.O-O never matches a line that plays 2.O-O-O, nor Bxc3 one that plays bxc3.
#pragma once

#include <QString>
#include <QVariantList>
#include <stdexcept>
#include <string>

#include "platform/base_donnees.h"

extern plateforme::BaseDonnees db_eco;

// Opens the opening database `chemin` into db_eco (closing it first if it was
// open) and checks once what the lookups need. The file must exist and hold a
// table (or view) ECO with every column; otherwise throws
// plateforme::ErreurBase naming the file and what is missing, and db_eco
// stays closed. Indexes missing (or not as the lookups need them) are said in
// one message naming the file; the lookups then read the table without them.
void ouvre_base_eco(const QString& chemin);

// The clause that makes a lookup read table ECO through its index `nom`
// (" INDEXED BY ECO_coup"), or nothing when the open base lacks that index.
QString par_index_eco(const QString& nom);
// " NOT INDEXED" when ECO is a table, nothing when it is a view.
QString sans_index_eco();

// A lookup that failed (the base's error or any other): the hourglass goes
// and the error is shown.
void signale_erreur_base(const std::exception& e);

// The moves of a lookup: the movetext without the blanks that may close it.
QString coups_recherches(const std::string& texte_partie);

// The condition that selects the lines continuing `coups`, with its values:
// an empty condition (every line) for an empty movetext.
struct FiltreCoups {
  QString condition;  // "" or "Eco_coup >= ? AND Eco_coup < ?"
  QVariantList valeurs;
  // " WHERE " + condition, or nothing.
  QString clause_where() const;
  // The condition joined to another one with AND.
  QString clause_where_et(const QString& autre) const;
};
FiltreCoups filtre_coups(const QString& coups);

// A long job on the opening base (learning from a file, CSV transfer,
// compaction, repair) runs: it lets events run, and no other job may start
// meanwhile. The main window's items follow it.
bool base_occupee();
class GardeBase {
 public:
  GardeBase();
  ~GardeBase();
  GardeBase(const GardeBase&) = delete;
  GardeBase& operator=(const GardeBase&) = delete;
};
// The file such a job works on, chosen in the file dialog from the program
// folder (a file to write with `a_ecrire`, else one to read): empty when
// another job runs, or when the user cancels (a failing dialog counts as a
// cancel).
QString fichier_travail_base(bool a_ecrire, const QString& titre, const QString& filtre,
                             const QString& nom_propose = QString());
