// The tables of the program's two database files, as SQL statements that
// create them. The build makes the shipped files from these (the opening base
// filled with its lines, the correspondence base empty); tests make their own.
//
// Booleans are SQLite's: 1 for true, 0 for false (a CHECK keeps any other
// value out, so that sorting on them is reliable). Dates are text
// "yyyy-mm-dd", which sorts in date order.
#pragma once

#include <QString>
#include <QStringList>

namespace schemas {

// Opening base: table ECO, one row per opening line, columns in this order.
// ECO_coup serves the prefix lookup (a range on the line text) and holds the
// columns the book move sorts on; ECO_ordre holds the order in which the book
// move prefers its lines, with the line text so that it can be filtered
// without reading the table.
inline QStringList base_eco() {
  return {
      QStringLiteral("CREATE TABLE ECO ("
                     "Eco_cle INTEGER PRIMARY KEY, "
                     "Eco_code TEXT, "
                     "Eco_libelle TEXT, "
                     "Eco_coup TEXT NOT NULL, "
                     "Eco_connaissance BOOLEAN NOT NULL DEFAULT 0 CHECK (Eco_connaissance IN (0, 1)), "
                     "Eco_note REAL)"),
      QStringLiteral("CREATE INDEX ECO_coup ON ECO (Eco_coup, Eco_note, Eco_connaissance, Eco_code)"),
      QStringLiteral("CREATE INDEX ECO_ordre ON ECO "
                     "(Eco_note DESC, Eco_connaissance DESC, Eco_code DESC, length(Eco_coup) DESC, Eco_coup)"),
  };
}

// Correspondence base: table PARTIE, one row per game. Cle is given by the
// database when a row is added and never reused.
inline QStringList base_corres() {
  return {
      QStringLiteral("CREATE TABLE PARTIE ("
                     "\"Cle\" INTEGER PRIMARY KEY AUTOINCREMENT, "
                     "\"Cle adverse\" INTEGER, "
                     "\"Lieu\" TEXT, "
                     "\"JAIBLANC\" BOOLEAN NOT NULL DEFAULT 0 CHECK (\"JAIBLANC\" IN (0, 1)), "
                     "\"BLANC\" TEXT NOT NULL, "
                     "\"NOIR\" TEXT NOT NULL, "
                     "\"Mel Blanc\" TEXT NOT NULL, "
                     "\"Mel Noir\" TEXT NOT NULL, "
                     "\"Elo Blanc\" INTEGER, "
                     "\"Elo Noir\" INTEGER, "
                     "\"Date debut\" DATE NOT NULL, "
                     "\"Date fin\" DATE, "
                     "\"Resultat\" TEXT, "
                     "\"Avertir\" BOOLEAN NOT NULL DEFAULT 0 CHECK (\"Avertir\" IN (0, 1)), "
                     "\"Move\" TEXT, "
                     "\"notation\" INTEGER, "
                     "\"Date coup envoyé\" DATE, "
                     "\"Dernier coup envoyé\" TEXT, "
                     "\"Date coup recu\" DATE, "
                     "\"Dernier coup recu\" TEXT)"),
      QStringLiteral("CREATE INDEX PARTIE_date_debut ON PARTIE (\"Date debut\")"),
  };
}

}  // namespace schemas
