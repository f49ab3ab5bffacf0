#include "langlib/langue.h"

#include <algorithm>

#include "langlib/table_textes.h"

QString langue::affiche_texte(int indice) const {
  const mvdlang::EntreeTexte* debut = mvdlang::table_textes;
  const mvdlang::EntreeTexte* fin = debut + mvdlang::nb_textes;
  const auto trouve = std::lower_bound(debut, fin, indice,
                                       [](const mvdlang::EntreeTexte& e, int id) { return e.id < id; });
  if (trouve == fin || trouve->id != indice) return QString();
  return QString::fromUtf8(trouve->texte);
}
