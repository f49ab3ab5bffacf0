// The opening table as a CSV file, to edit it in a spreadsheet and load it
// back.
//
// The file: UTF-8 with a byte-order mark, lines ended by CRLF; the first line
// names the table's columns in order, each further line is one row with the
// same number of fields, separated by ";". A field that holds ";", a double
// quote, CR or LF is written between double quotes, its inner quotes doubled.
// Numbers are written with "." and every decimal they have; a missing value
// is an empty field; the knowledge flag is "Vrai" or "Faux".
//
// On reading, the file may be UTF-8 (with or without the mark) or
// Windows-1252; blank lines are skipped; fields are taken by position (the
// key of the file is not used: the rows are numbered 1, 2, 3 in file order);
// a row may have fewer fields than the header (the missing ones are empty),
// never more. A double quote inside a field that does not begin with one,
// text after a closing quote and an unclosed quote are errors of their line.
// The moves are played from the start with the program's move reader and
// stored as learned lines are ("1.e4 e5 2.Nf3 *", the line's result or "*");
// a line whose moves do not play is refused with the move. A rating is
// rounded to a whole number, a half to the even neighbour (12.5 gives 12).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The records of a CSV text: each with the number of the line it begins on
// (from 1) and its fields. A quoting fault (above) throws std::runtime_error
// naming its line.
struct EnregistrementCsv {
  int ligne = 0;
  QStringList champs;
};
QList<EnregistrementCsv> lit_csv(const QString& texte);
// One record written as a line (without its line end).
QString ligne_csv(const QStringList& champs);
// Field n (from 1) of one line, empty when the line has fewer fields.
QString decoupe_ligne_csv(int n, const QString& ligne);

// The text of a CSV file's bytes: UTF-8 when it has the mark or is valid
// UTF-8, else Windows-1252.
QString texte_csv(const QByteArray& octets);

// Writes the table ECO of the database file `base` to `chemin` (replacing
// it through a new file); returns the number of rows. `apres_ligne` is told
// the count now and then. Throws std::runtime_error (or
// plateforme::ErreurBase) with a text for the user.
int exporte_table_eco(const QString& base, const QString& chemin, const std::function<void(int fait, int total)>& apres_ligne = {});
// Reads and checks the whole file `chemin`, then replaces every row of table
// ECO of `base` with its rows in one transaction; returns the rows imported.
// A bad line throws with its number, and the table keeps all its rows.
int importe_table_eco(const QString& base, const QString& chemin, const std::function<void(int fait, int total)>& apres_ligne = {});

// The commands "Exporter les ouvertures (CSV)" and "Importer des ouvertures
// (CSV)": the file dialog, the questions, the job, the final message.
void exporte_eco_csv();
void importe_eco_csv();
