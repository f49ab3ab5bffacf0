#include "gamefiles/filtre_pgn.h"

#include <algorithm>

namespace pgn {

namespace {

// Each criterion with the tag it looks at.
struct Champ {
  QString CriteresFiltre::*critere;
  int tag;
};
const Champ CHAMPS[] = {{&CriteresFiltre::blanc, WHITE},   {&CriteresFiltre::noir, BLACK},
                        {&CriteresFiltre::resultat, RESULT}, {&CriteresFiltre::eco, ECO},
                        {&CriteresFiltre::site, SITE},     {&CriteresFiltre::event, EVENT},
                        {&CriteresFiltre::date, DATE},     {&CriteresFiltre::ronde, ROUND}};

bool commence_par(const PartieLue& p, int tag, const QString& critere) {
  return p.presents[tag] && p.valeurs[tag].trimmed().startsWith(critere, Qt::CaseInsensitive);
}

}  // namespace

bool CriteresFiltre::vide() const {
  return std::all_of(std::begin(CHAMPS), std::end(CHAMPS),
                     [this](const Champ& ch) { return (this->*ch.critere).trimmed().isEmpty(); });
}

bool passe_filtre(const PartieLue& p, const CriteresFiltre& c) {
  for (const Champ& ch : CHAMPS) {
    // The criterion as the user typed it, blanks around it left out.
    const QString critere = (c.*ch.critere).trimmed();
    if (critere.isEmpty()) continue;
    const bool joueur = ch.tag == WHITE || ch.tag == BLACK;
    const bool passe = c.lesdeux && joueur ? commence_par(p, WHITE, critere) || commence_par(p, BLACK, critere)
                                           : commence_par(p, ch.tag, critere);
    if (!passe) return false;
  }
  return true;
}

int limite_liste(int max_seuil) { return std::clamp(max_seuil, 1, 32767); }

}  // namespace pgn
