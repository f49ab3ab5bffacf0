#include "openings/coup_bibliotheque.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/notation.h"
#include "chess/regles.h"
#include "openings/base_eco.h"
#include "openings/hasard.h"
#include "openings/liens_ouvertures.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "platform/evenements.h"

namespace {

const QString COLONNES =
    QStringLiteral("SELECT Eco_cle, Eco_code, Eco_libelle, Eco_note, Eco_coup, Eco_connaissance FROM ECO");
// Highest rating first (no rating last), learned lines (1) before the others
// (0), ECO code descending, longest line first; the key settles ties. The
// index ECO_ordre holds exactly this order.
const QString ORDRE = QStringLiteral(
    " ORDER BY Eco_note DESC, Eco_connaissance DESC, Eco_code DESC, length(Eco_coup) DESC, Eco_cle LIMIT 1");
// Up to this many candidate lines are sorted; beyond, the ordered index is
// walked until the first line that continues the moves.
constexpr int SEUIL_TRI = 256;

// The lines that continue the moves with at least one more token: a line
// that ends with the moves has no next move to give.
struct Candidates {
  bool prefixe = false;  // the moves are not empty: a range on Eco_coup
  QString where;
  QVariantList valeurs;
};

Candidates candidates(const QString& coups) {
  const FiltreCoups f = filtre_coups(coups);
  Candidates c;
  c.prefixe = !f.condition.isEmpty();
  c.valeurs = f.valeurs;
  const QString debut = coups.isEmpty() ? QString() : coups + QLatin1Char(' ');
  for (const char* fin : {"*", "1-0", "0-1", "1/2-1/2"}) c.valeurs << debut + QLatin1String(fin);
  c.where = f.clause_where_et(QStringLiteral("Eco_coup NOT IN (?, ?, ?, ?)"));
  return c;
}

// The best line in the order of ORDRE.
plateforme::JeuEnregistrements meilleure_ligne(const Candidates& c) {
  const int premiers =
      db_eco.valeur(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM ECO") + c.where + QStringLiteral(" LIMIT ") +
                        QString::number(SEUIL_TRI) + QLatin1Char(')'),
                    c.valeurs)
          .toInt();
  QString source = QStringLiteral(" ");
  if (premiers >= SEUIL_TRI)
    source = QStringLiteral(" INDEXED BY ECO_ordre");
  else if (c.prefixe)
    source = QStringLiteral(" INDEXED BY ECO_coup");
  return db_eco.requete(COLONNES + source + c.where + ORDRE, c.valeurs);
}

// Any line, each equally likely, whatever their number.
plateforme::JeuEnregistrements ligne_au_hasard(const Candidates& c) {
  const qint64 n = db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO") + c.where, c.valeurs).toLongLong();
  if (n == 0) return db_eco.requete(COLONNES + QStringLiteral(" WHERE 0"));
  const qint64 rang = std::clamp<qint64>(static_cast<qint64>(std::floor(tire_hasard() * static_cast<double>(n))), 0,
                                         n - 1);
  QVariantList valeurs = c.valeurs;
  valeurs << rang;
  return db_eco.requete(COLONNES + (c.prefixe ? QStringLiteral(" INDEXED BY ECO_coup") : QString()) + c.where +
                            (c.prefixe ? QStringLiteral(" ORDER BY Eco_coup") : QStringLiteral(" ORDER BY Eco_cle")) +
                            QStringLiteral(" LIMIT 1 OFFSET ?"),
                        valeurs);
}

// The next move of `ligne` after `coups`: the token that starts one blank
// after the moves (past the move number and its dot for White), up to the
// next blank or "*". Positions count from 1 as in the line's description.
std::string coup_suivant(const std::string& ligne, const std::string& coups, int couleur) {
  std::size_t p = coups.size() + 2;
  if (couleur == BLANC) {
    const std::size_t point = p - 1 < ligne.size() ? ligne.find('.', p - 1) : std::string::npos;
    if (point == std::string::npos) return {};
    p = point + 2;
  }
  std::size_t q = p;
  while (q != 2 && q < ligne.size() && ligne[q - 1] != '*' && ligne[q - 1] != ' ') ++q;
  return ligne.substr(std::min(p - 1, ligne.size()), q - p);
}

}  // namespace

bool coup_bibliotheque(int couleur, const std::string& texte, int& col_s, int& lig_s, int& col_d, int& lig_d,
                       std::string& marques, float& note) {
  col_s = lig_s = col_d = lig_d = 0;
  marques.clear();
  note = 0;
  const int profil = profil_en_vigueur();
  if (active_base_con[profil] != 1) return false;
  try {
    const QString coups = coups_recherches(texte);
    const Candidates c = candidates(coups);
    auto rs = ouverture_aleatoire[profil] == 1 ? ligne_au_hasard(c) : meilleure_ligne(c);
    if (rs.fin()) return false;

    const std::string ligne = rs.texte(QStringLiteral("Eco_coup")).toStdString();
    const bool appris = rs.valeur(QStringLiteral("Eco_connaissance")).toInt() != 0;
    const float note_ligne = static_cast<float>(rs.valeur(QStringLiteral("Eco_note")).toDouble());
    std::string token = coup_suivant(ligne, coups.toStdString(), couleur);
    if (token.empty()) return false;

    int code = 0;
    decode_coup(couleur, 2, token, col_s, lig_s, col_d, lig_d, code, marques);
    if (!TableauCases::dans_tableau(col_s, lig_s) || col_s == 0 || lig_s == 0 || col_d == 0 || lig_d == 0 ||
        couleur_piece(tab_echiquier(col_s, lig_s)) != couleur || !coup_legal(col_s, lig_s, col_d, lig_d)) {
      col_s = lig_s = col_d = lig_d = 0;
      return false;
    }
    note = appris ? note_ligne : 0.0f;
    const auto& l = liens_ouvertures();
    if (l.pointeur_piece) l.pointeur_piece(tab_echiquier(col_s, lig_s));
    return true;
  } catch (const plateforme::ErreurBase& e) {
    plateforme::curseur_attente(false);
    plateforme::boite_erreur(e.texte());
  } catch (const std::exception& e) {
    plateforme::curseur_attente(false);
    plateforme::boite_erreur(QString::fromUtf8(e.what()));
  }
  col_s = lig_s = col_d = lig_d = 0;
  note = 0;
  return false;
}
