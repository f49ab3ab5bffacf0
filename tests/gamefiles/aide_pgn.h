// Shared set-up of the game-file tests: PGN files written byte for byte in
// the test's folder, and every game of a file read back.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>
#include <string>
#include <vector>

#include "gamefiles/lecture_pgn.h"
#include "tests/common/aide_tests.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class TestPgn : public TestMorvandel {
 protected:
  // Writes `octets` as they are to `nom` in the test's folder; returns the path.
  QString ecrit_fichier(const std::string& octets, const QString& nom = QStringLiteral("parties.pgn"));
  // Every game of a file, with or without their movetext.
  static std::vector<pgn::PartieLue> lit_toutes(const QString& chemin, bool coups = true);
  // The same for text written to a file first.
  std::vector<pgn::PartieLue> lit_texte(const std::string& octets, bool coups = true);
};

// A game as files hold it, tags then movetext, each line ended by `fin`.
std::string partie_pgn(const std::string& white, const std::string& black, const std::string& coups,
                       const std::string& resultat = "*", const std::string& fin = "\r\n",
                       const std::string& event = "Open", const std::string& round = "1");

// Five games as another program writes them: LF line ends, a Windows-1252
// name, a game without Round and Site, comments and a variation.
std::string cinq_parties();
// `n` short games, White "J0", "J1"...
std::string beaucoup_de_parties(int n);
// Short games, then blank lines, up to byte `offset`: what is
// appended to it begins at that byte of the file, say on an edge of the
// reader's blocks (pgn::FichierPgn::TAILLE_BLOC).
std::string parties_jusqu_a(std::size_t offset);

// The path of pgn-extract (the yardstick other programs' files come from), or
// empty when it is not installed.
QString chemin_pgn_extract();
// The games of `chemin` as pgn-extract writes them back (its -s output read
// by the program's reader, with its `options` besides); what it reports goes
// to `erreurs`.
std::vector<pgn::PartieLue> relu_par_pgn_extract(const QString& chemin, QString* erreurs,
                                                 const QStringList& options = {});
// The FEN text pgn-extract gives of a game's final position (its -F
// comment after the last move), empty when it gives none.
std::string fen_finale_pgn_extract(const pgn::PartieLue& partie);
