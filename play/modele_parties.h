// The model behind the board window's game list List2: one row per game of a
// file, eight columns (Event, Site, Date, Round, White, Black, Result, and
// the round's sort key, hidden in the list). Site, Date and Result are shown
// in capitals, Date and Round centred.
//
// A listing may hold a hundred thousand games: a row is the game's 64-bit
// byte offset and its seven texts, kept one after the other in blocks of
// bytes (one byte a character when every character of a text is Latin-1,
// UTF-16 otherwise); the texts shown are made when the view asks for them.
//
// The model keeps what the list knows of its file: the path it was read
// from, the game loaded last (icon "main") and the games loaded before it
// (icon "validation"). The icons go with the games' offsets, so they stay
// on their games when the rows are sorted and come back on them when the
// same file is listed again.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

// The sort key of a round: six digits with leading zeros when it is a whole
// number ("3" gives "000003"), the text as it is otherwise.
QString cle_ronde(const QString& ronde);

class ModeleParties : public QAbstractTableModel {
 public:
  // The tag texts of a row, in column order.
  static constexpr int NB_TEXTES = 7;
  static constexpr int COLONNE_CLE_RONDE = 7;
  static constexpr int NB_COLONNES = 8;
  // The longest text a cell keeps, in UTF-16 units.
  static constexpr int LONGUEUR_MAX = 0x7FFF;

  explicit ModeleParties(QObject* parent = nullptr);

  // The icons of the game loaded now and of the games loaded before it.
  void definit_icones(const QIcon& choisie, const QIcon& chargee);
  // The column captions (the hidden key column's caption may be empty).
  void definit_titres(const QStringList& titres);

  // The rows are emptied for a listing of `chemin`; the games loaded keep
  // their icons only when it is the file listed before.
  void commence(const QString& chemin);
  // Empties the rows (the file and the games loaded are kept).
  void vide();
  // The file the rows were read from (empty before any listing).
  const QString& fichier() const { return fichier_; }

  // A game found by a listing: its offset and its tag texts (Event, Site,
  // Date, Round, White, Black, Result). It joins the rows at the next
  // publie(), so that a listing adds many games in one insertion.
  void prepare(std::int64_t debut, const QString* textes);
  // The games prepared since the last call become rows, after the others.
  void publie();

  // The offset of row `ligne`, -1 outside the rows.
  std::int64_t debut(int ligne) const;
  // The tag text of row `ligne` as read (not in capitals), column 0..6.
  QString valeur(int ligne, int colonne) const;
  // The text row `ligne` shows in `colonne` (0..7).
  QString texte(int ligne, int colonne) const;

  // The game at `debut` is the one loaded now; the game loaded before it
  // joins those loaded before.
  void marque_chargee(std::int64_t debut);
  // The offset of the game loaded now, -1 when none.
  std::int64_t choisie() const { return choisie_; }

  // Sorts the rows on the texts shown in `colonne` (a stable sort, the
  // texts compared character by character); the current row and the
  // selection of a view stay on their games.
  void sort(int colonne, Qt::SortOrder ordre = Qt::AscendingOrder) override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  struct Ligne {
    std::int64_t debut;
    std::uint32_t bloc, octet;  // where the texts begin in blocs_
    // The texts' lengths in characters; UTF16 set: two bytes a character.
    std::uint16_t longueurs[NB_TEXTES];
  };
  static constexpr std::uint16_t UTF16 = 0x8000;
  QString valeur(const Ligne& l, int colonne) const;
  QString texte(const Ligne& l, int colonne) const;
  char* place(std::size_t octets);

  std::vector<Ligne> lignes_;  // the rows, then the games prepared
  std::size_t publiees_ = 0;   // rows shown
  std::vector<std::unique_ptr<char[]>> blocs_;
  std::size_t taille_bloc_ = 0, rempli_ = 0;  // of the last block
  QString fichier_;
  std::int64_t choisie_ = -1;
  QSet<qint64> chargees_;
  QIcon icone_choisie_, icone_chargee_;
  QStringList titres_;
};
