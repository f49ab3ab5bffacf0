#include "gamefiles/filtre_pgn.h"

#include <algorithm>

#include "play/parametres.h"

namespace pgn {

namespace {

// The criterion as the user typed it, blanks around it left out.
bool commence_par(const PartieLue& p, int tag, const QString& critere) {
  return p.presents[tag] && p.valeurs[tag].trimmed().startsWith(critere, Qt::CaseInsensitive);
}

bool passe(const PartieLue& p, int tag, const QString& critere) {
  const QString c = critere.trimmed();
  return c.isEmpty() || commence_par(p, tag, c);
}

bool passe_joueur(const PartieLue& p, int tag, const QString& critere, bool lesdeux) {
  const QString c = critere.trimmed();
  if (c.isEmpty()) return true;
  if (lesdeux) return commence_par(p, WHITE, c) || commence_par(p, BLACK, c);
  return commence_par(p, tag, c);
}

}  // namespace

bool CriteresFiltre::vide() const {
  for (const QString* c : {&blanc, &noir, &resultat, &eco, &site, &event, &date, &ronde})
    if (!c->trimmed().isEmpty()) return false;
  return true;
}

CriteresFiltre criteres_reglages() {
  CriteresFiltre c;
  c.blanc = critere_blanc;
  c.noir = critere_noir;
  c.resultat = critere_resultat;
  c.eco = critere_eco;
  c.site = critere_site;
  c.event = critere_event;
  c.date = critere_date;
  c.ronde = critere_ronde;
  c.lesdeux = critere_lesdeux == 1;
  return c;
}

bool passe_filtre(const PartieLue& p, const CriteresFiltre& c) {
  return passe_joueur(p, WHITE, c.blanc, c.lesdeux) && passe_joueur(p, BLACK, c.noir, c.lesdeux) &&
         passe(p, RESULT, c.resultat) && passe(p, ECO, c.eco) && passe(p, SITE, c.site) && passe(p, EVENT, c.event) &&
         passe(p, DATE, c.date) && passe(p, ROUND, c.ronde);
}

int limite_liste(int max_seuil) { return std::clamp(max_seuil, 1, 32767); }

}  // namespace pgn
