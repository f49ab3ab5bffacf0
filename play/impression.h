// Printed output of the game in hand and of list views, on the printer of
// platform/imprimante.h.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QTreeView;
namespace plateforme {
class Imprimante;
}

// --- The game in hand ---------------------------------------------------------
// Prints the game in one of three formats: 0 the PGN tag lines and the
// movetext, wrapped at blanks; 1 the tag lines and the move list two
// half-moves to a line; 2 the tag lines and two text diagrams per full move.
// Any other format prints the title only. A tag line wider than the page
// goes on over the next lines, cut as table cells are. The move list is the board
// window's; without a board window formats 1 and 2 print the tag lines only.
// Says "Edition terminée !" when the job went out; a failed job is cancelled
// and its error shown instead. Returns true when the job went out.
bool imprime_partie(int& format);
// The main window's print items of the game: imprime_partie(Index).
void menu_edt_encours_Click(int Index);

// The tag lines the printout heads the game with: entete_pgn, or, when it is
// empty, the lines built from the settings and an empty line; a game begun
// from a position of its own gets [SetUp "1"] and [FEN] besides. Format 0
// numbers a first move of Black "N...". Format 2 shows the half-moves played,
// not the result line's repeat of the final position: with an odd number the
// last pair's right-hand diagram and caption are blank.
QString entete_impression();
// `texte` cut into lines of at most `largeur` characters at blanks; a word
// longer than a line is cut at the line's end.
QStringList coupe_aux_blancs(const QString& texte, int largeur);

// --- Tables: list views and reports -------------------------------------------------
// What a table printout reads: the column titles and widths (any unit; a
// width of 0 or less is a column not printed), the number of rows and the
// text of a cell.
struct TableImpression {
  QStringList entetes;
  QList<double> largeurs;
  int nb_lignes = 0;
  std::function<QString(int ligne, int colonne)> cellule;
};

// The visible columns of a list view (a hidden column has width 0), its
// top-level rows.
TableImpression table_de_liste(const QTreeView& liste);

// Draws the table on the job as paginated pages: the title and "Page n/N",
// the stamp line, the column heads, as many rows as the measured line
// height fits above the footer, the footer (program and version, the date).
// A value wider than its column goes on over the next lines of its row,
// within the column (cut at blanks, a word wider than the column where it
// reaches the edge); a row never straddles two pages.
// A table that fills exactly its pages prints no empty page after them.
void dessine_table(plateforme::Imprimante& imprimante, const TableImpression& table, const QString& titre,
                   const QString& tampon, const QString& police, int taille);

// The rows a landscape page of a table holds in this font.
int lignes_table_par_page(const QString& police, int taille);

// Prints a list view on the default printer, landscape. The title is trimmed
// and upper-cased (in the caller's variable too). A failure cancels the job
// and shows its error with the stop icon; returns true when the job went
// out. The caller says "Edition terminée !".
bool imprime_liste(QTreeView& liste, QString& titre, const QString& tampon, const QString& police, int taille);

// The stamp line of a list printout: " Le dd/mm/yyyy à hh:mm", or in English
// " The mm/dd/yyyy at hh:mm AM".
QString tampon_impression();

// The board window's "Imprimer la liste": prints the game list when it
// holds a game.
class plateau;
void Command6_Click(plateau& p);
