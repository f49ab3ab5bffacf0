// Reading PGN game files as other programs write them, one game after the
// other, without holding the file in memory.
//
// A file is opened read-only and read in blocks; each game is found by its
// first byte (a 64-bit offset from the start of the file), so a list of games
// keeps offsets only and a chosen game is read again from its offset.
//
// What a game is, in the files this reader takes:
// - Line ends CR, LF or CRLF; a UTF-8 byte-order mark at the start is skipped.
//   A line whose first character is "%" is an escape line and is ignored.
//   Lines are trimmed of blanks and tabs before any test.
// - Tag section: lines beginning with "[", each holding one or more tags
//   [Name "value"] in any order and any case of the name; a value may hold
//   \" and \\. A malformed tag (no value, no closing quote or bracket) is
//   skipped, the rest of the game is read.
// - Movetext: the lines after the tag section (blank lines skipped). It ends
//   at a result token outside comments and variations ("1-0", "0-1",
//   "1/2-1/2", "*"), at a line beginning with "[" (the next game's tags, even
//   without a blank line before them), or at the end of the file. A game may
//   have no tags (a movetext alone); text between games that holds neither a
//   tag nor a move is not a game.
// - Text bytes: valid UTF-8 is taken as UTF-8, anything else as
//   Windows-1252 (decided for each tag value and each movetext line).
#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pgn {

// The bytes of a file text as the program's text: UTF-8 when they are valid
// UTF-8, Windows-1252 otherwise (the platform's one decoder).
QString decode(std::string_view octets);

// "1-0", "0-1", "1/2-1/2" or "*".
bool est_resultat(std::string_view t);

// The tags the game list and the filter read, by their index in a game.
enum TagConnu : int { EVENT = 0, SITE, DATE, ROUND, WHITE, BLACK, RESULT, ECO, NB_TAGS_CONNUS };
// The name as the standard writes it ("Event", ..., "ECO").
const char* nom_tag(int tag);

// One tag of a tag line, its value unescaped (still the file's bytes).
struct TagBrut {
  std::string_view nom;
  std::string valeur;
};
// The tags of one trimmed line that begins with "[". A malformed tag ends the
// reading of the line: the tags before it are kept.
std::vector<TagBrut> tags_de_ligne(std::string_view ligne);

// Lines of a file with the offset of their first byte.
class FichierPgn {
 public:
  // The bytes read at a time (a line longer than that makes the buffer grow).
  static constexpr std::size_t TAILLE_BLOC = 1 << 20;

  FichierPgn() = default;
  FichierPgn(const FichierPgn&) = delete;
  FichierPgn& operator=(const FichierPgn&) = delete;

  // Opens the file read-only; false (and `erreur` set) when it cannot be read.
  bool ouvre(const QString& chemin, QString* erreur = nullptr);
  void ferme();
  bool ouvert() const { return fichier_.isOpen(); }
  std::int64_t taille() const { return taille_; }
  // The offset of the next line to be read.
  std::int64_t position() const { return base_ + static_cast<std::int64_t>(debut_); }
  // The offset of the first byte after a byte-order mark (0 without one).
  std::int64_t debut_texte() const { return debut_texte_; }

  // The next line without its line end, and its offset; false at the end of
  // the file. The view lives until the next call.
  bool ligne_suivante(std::string_view& ligne, std::int64_t& debut);
  // The unread bytes up to the end of the last whole line the buffer holds,
  // its line end included (more is read when it holds none; at the end of
  // the file, all that is left): a walk over many lines without a call per
  // line. Empty at the end of the file. The view lives until the next call.
  std::string_view lignes_entieres();
  // Takes the first `n` bytes of the last lignes_entieres() as read; `n`
  // falls at the start of a line or at the end of that view.
  void avance(std::size_t n);
  // Reads from `offset` on. True when a line begins there (the start of the
  // text, or the byte before it ends a line).
  bool positionne(std::int64_t offset);

 private:
  bool remplit();
  // The first line end (LF or CR) in tampon_ from `k` on, fin_ when none.
  std::size_t fin_de_ligne(std::size_t k);
  static constexpr std::size_t INCONNUE = static_cast<std::size_t>(-1);

  QFile fichier_;
  std::int64_t taille_ = 0;
  std::int64_t debut_texte_ = 0;
  std::vector<char> tampon_;
  std::size_t debut_ = 0;    // next unread byte in tampon_
  std::size_t fin_ = 0;      // bytes held in tampon_
  std::int64_t base_ = 0;    // file offset of tampon_[0]
  bool fin_fichier_ = false;
  // Where the last whole line of tampon_ ends (see lignes_entieres()),
  // INCONNUE until it is looked for after each read.
  std::size_t fin_lignes_ = INCONNUE;
};

// One game as the reader gives it.
struct PartieLue {
  std::int64_t debut = -1;  // offset of the game's first line
  // The known tags' values, decoded; present[i] tells whether the tag was met.
  QString valeurs[NB_TAGS_CONNUS];
  bool presents[NB_TAGS_CONNUS] = {};
  int nb_tags = 0;
  // Read only when the movetext is asked for:
  std::vector<std::string> lignes_tags;  // the tag lines, trimmed, as UTF-8
  std::vector<std::pair<std::string, std::string>> tags;  // every tag: name as written, value (UTF-8)
  std::string movetext;                  // the movetext lines (UTF-8), joined by "\n"

  // The value of a tag by name (case of the name ignored), empty when absent.
  std::string valeur_tag(std::string_view nom) const;
  void vide();
};

// Games of a file, one after the other.
class LecteurPgn {
 public:
  explicit LecteurPgn(FichierPgn& fichier) : f_(fichier) {}
  // The next game; `coups` false reads the tags the list needs and only
  // looks for the end of the movetext. False at the end of the file.
  bool partie_suivante(PartieLue& partie, bool coups);
  // Forgets a line held back (after the file was positioned elsewhere).
  void oublie();

 private:
  bool ligne(std::string_view& l, std::int64_t& debut);
  FichierPgn& f_;
  std::string en_attente_;
  std::int64_t debut_attente_ = -1;
  bool attente_ = false;
};

// The value of `tag` (for example "[White") in a text of tag lines: the
// first line holding exactly that name (so "[White" is not "[WhiteElo"),
// its value unescaped; empty when absent or malformed.
std::string valeur_tag_pgn(std::string_view tag, std::string_view texte);

}  // namespace pgn
