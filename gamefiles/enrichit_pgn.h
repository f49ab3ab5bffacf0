// Growing the opening base from a PGN file: the first six move numbers of
// every game become opening lines ("1.e4 *", "1.e4 e5 *", ...), each line
// once, coded with the game's ECO tag.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

struct BilanEnrichissement {
  int lignes = 0;    // lines added to the base
  int parties = 0;   // games read
  bool arrete = false;  // stopped by arret_demande
};

// Reads every game of `chemin` and adds its lines to db_eco, committing them
// by lots of games, one transaction each. After each lot `apres_lot` is told
// where the reading is (bytes read of the file's size); the job stops after
// a lot when arret_demande is set, and what was committed stays. A game set
// up from a position of its own (a FEN tag) is no opening and adds nothing.
// Throws std::runtime_error (or plateforme::ErreurBase) with a text for the
// user; the lots committed before stay.
BilanEnrichissement enrichit_base_depuis_pgn(
    const QString& chemin,
    const std::function<void(const BilanEnrichissement&, std::int64_t lu, std::int64_t taille)>& apres_lot = {});

// The command "A partir d'un fichier PGN": the file dialog, the question,
// the job with its progress window, the final message.
void enrichit_depuis_fichier_pgn();
