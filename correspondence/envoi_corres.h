// The correspondence base's side of a move mail, for the message window:
// which move is sent, and its record in table PARTIE once the mail went.
#pragma once

#include <QString>
#include <optional>

#include "correspondence/coups_corres.h"

struct FicheCoup;

// The move of the game prepared in the window `prepare` (its key, read from
// the base): the game on the board (texte_partie) must be that game's stored
// moves followed by one half-move of the user's colour. Nothing, with the
// reason in `erreur`, otherwise (no game prepared, base unreadable, another
// game on the board, no move or more than one, not the user's turn).
std::optional<CoupEnvoye> coup_a_envoyer_prepare(QString* erreur);

// Records the move sent in the prepared game's row (Move, today's date sent,
// the move sent), shows it in the manager (Text9, Text8, Text13) and
// refreshes its list. False, with the reason in `erreur`, when nothing could
// be stored. A mail without a move (a blank mail) stores nothing: call it
// only with a move that coup_a_envoyer_prepare gave.
bool enregistre_envoi(const CoupEnvoye& envoi, QString* erreur);
// The same for the game of key `cle`.
bool enregistre_envoi(qint64 cle, const CoupEnvoye& envoi, QString* erreur);

// For the message window: the prepared game as a move mail quotes it (read
// from the base, the position from prepare's Text1, the game with the move
// in its own letters). Nothing, after a message saying why, when no game is
// prepared or the board does not hold the stored game and one move of the
// user's colour.
std::optional<FicheCoup> fiche_coup_preparee();
// Records the move of a move mail once it went, in the game the mail was
// composed for (fiche.cle), even when prepare has been closed since: the
// move list the mail quoted (fiche.partie) and its last move. Nothing is
// stored, after a message saying why, when that game's stored moves are no
// longer those the mail was composed from.
bool enregistre_coup_de_fiche(const FicheCoup& fiche);
