// Loading PGN game files into the program: the game list of the board
// window and the game in hand.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "gamefiles/filtre_pgn.h"
#include "gamefiles/lecture_pgn.h"

class plateau;

namespace pgn {

// What one reading of a file did.
struct BilanLecture {
  long lues = 0;     // games begun
  long gardees = 0;  // games that passed the filter (and were handed on)
  bool arretee = false;  // stopped before the end of the file
};

// Lists the games of an open file from where it stands: every game that
// passes `criteres` (every game when null) is handed to `garde`, at most
// `limite` of them. `entre_deux` is called about every 50 ms with the counts
// and the read position (and once at the end); when it returns false the
// reading stops.
// Only the tags are read; no movetext is kept.
BilanLecture liste_parties(FichierPgn& fichier, const CriteresFiltre* criteres, long limite,
                           const std::function<void(const PartieLue&)>& garde,
                           const std::function<bool(const BilanLecture&, std::int64_t position)>& entre_deux);

// Makes a game read with its movetext the game in hand: its tag lines go to
// entete_pgn (whatever the comment option), its comments to
// commentaires_coups, its main line to texte_partie in the program's own form
// (the result to resultat_partie), the notation becomes English letters, the
// game is shown in a message (titled `titre`, the program's name when empty)
// and replayed onto the board window, from the position of its [FEN] tag
// when it has one.
// `note`, when not empty, ends the message.
// A game whose start position (its [FEN] tag unless [SetUp "0"]) lit_fen
// refuses is not loaded: text 700 names game `numero` (its place in the file,
// the list or the document), its players, the fault and the FEN; false, the
// game in hand unchanged.
bool charge_partie(const PartieLue& partie, long numero, const QString& titre = QString(),
                   const QString& note = QString());

}  // namespace pgn

// Reads the PGN file `chemin`:
// - mode 0 (the open command): its first game is listed and loaded, without
//   the filter;
// - mode 1 (the recent files, the command line, the load form): every game
//   that passes the [FILTRE] criteria is listed in the board window's game
//   list, at most max_seuil_partie (1..32767) of them; nothing is loaded;
// - mode 99 (a double-click in the game list): the game of the list's
//   selected line is loaded from the file the list was read from, or the
//   user is told it cannot be (the file is gone or has changed).
// The reading shows the progress window (its stop button ends a listing,
// keeping the games found so far); closing the board window ends it too, and
// a second load asked meanwhile starts once the first has stopped. Nothing is
// done while the machine plays.
void charge_pgn(int mode, const QString& chemin);

// True while a file is being read.
bool lecture_pgn_en_cours();

// Makes a game read elsewhere (from the XML document at `origine`) the game
// in hand as charge_partie does, in the board window (loaded when needed)
// whose game list is emptied, the comment window naming the origin. Nothing
// is done while the machine plays or a file is being read.
void charge_partie_externe(const pgn::PartieLue& partie, const QString& origine, const QString& titre);

// The games of a document read elsewhere (the XML list at `origine`): game
// `choisie` becomes the game in hand as with charge_partie_externe, its
// message saying which of them it is; every game of the document is listed
// in the board window's game list (each game's offset is its index), where
// a double-click loads another of them. With one game, nothing is listed.
void charge_parties_externes(const std::vector<pgn::PartieLue>& parties, std::size_t choisie, const QString& origine,
                             const QString& titre);

// Connects a board window's game list: header clicks sort it, a
// double-click loads the game of the line (mode 99).
void branche_liste_parties(plateau& p);
