// Copying the games of a PGN file that pass the tag filter into a new file,
// as an XML game list (gamefiles/liste_xml.h) or as PGN, without loading
// any of them: the source is read once, game by game, and the copy is
// written as it goes.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "gamefiles/charge_pgn.h"

namespace plateforme {
class FichierNeuf;
}

namespace pgn {

// Copies the games of the open `source` that pass `criteres` to `sortie`
// (opened and empty), in XML or PGN (an XML Move on one line; a ";"
// comment made a comment in braces; a movetext cut short ended by its
// [Result] or "*"); every game is read whatever the
// listing limit. `entre_deux` is called as for a listing; when it returns
// false the copy stops after the games written so far (an XML list is still
// closed). False with `erreur` set when the copy cannot be written.
bool copie_parties(FichierPgn& source, const CriteresFiltre& criteres, bool xml, plateforme::FichierNeuf& sortie,
                   const std::function<bool(const BilanLecture&, std::int64_t position)>& entre_deux,
                   BilanLecture& bilan, QString* erreur);

}  // namespace pgn

// Copies the games of the PGN file `source` that pass the [FILTRE] criteria
// to `destination`, as PGN when `en_pgn`, else as an XML game list, with the
// progress window and its stop button; then says how many games were saved
// out of how many read and puts a PGN destination on the recent files. The
// copy is written as a new file that replaces `destination` only once it is
// whole: a failure leaves a file there as it was. The source itself is
// refused as destination. The game in hand (its tags included) and the
// board window are not touched.
void pgn_vers_xml(const QString& source, const QString& destination, bool en_pgn);
