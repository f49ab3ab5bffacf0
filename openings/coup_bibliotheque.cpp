#include "openings/coup_bibliotheque.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
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
// (0), ECO code descending, longest line first; the line text and the key
// settle ties. The index ECO_ordre holds exactly this order.
const QString ORDRE = QStringLiteral(
    " ORDER BY Eco_note DESC, Eco_connaissance DESC, Eco_code DESC, length(Eco_coup) DESC, Eco_coup, Eco_cle");

// The head of the order is looked through first for a line that continues
// the moves: a short look, and a longer one when many lines continue them.
constexpr int TETE_COURTE = 1000;
constexpr int TETE_LONGUE = 20000;
// Below this many continuing lines, they are sorted directly; below the
// first, before anything else is tried.
constexpr int TRES_PEU_DE_LIGNES = 256;
constexpr int PEU_DE_LIGNES = 4000;
// The random choice takes one of fewer than PEU_DE_LIGNES_AU_HASARD lines by
// its rank; among more it draws keys in lots that double up to
// TIRAGES_PAR_LOT (the first one small, as most draws hit when many lines
// continue the moves, the second larger once the count has shown the lines
// are not few), TIRAGES_MAX at most. Counting costs little per line and a
// drawn key much more (a read of the table at a random place): the threshold
// balances the two.
constexpr int PEU_DE_LIGNES_AU_HASARD = 3000;
constexpr int TIRAGES_PREMIER_LOT = 32;
constexpr int TIRAGES_SECOND_LOT = 96;
constexpr int TIRAGES_PAR_LOT = 128;
constexpr int TIRAGES_MAX = 16 * 1024;
// A rank drawn among all the lines of the range is drawn again this many
// times at most when it falls on a line that ends in a result.
constexpr int ESSAIS_DE_RANG = 8;

const char* const FINS[] = {"*", "1-0", "0-1", "1/2-1/2"};

// The lines that continue the moves with at least one more token: a line
// that ends with the moves has no next move to give.
struct Candidates {
  QString where;
  QVariantList valeurs;
  // The same range on the line text with the lines that end in a result
  // left in: the index walks it without a test on each line. Those lines
  // are the ones equal to one of `fins`.
  QString plage;
  QVariantList valeurs_plage;
  QVariantList fins;

  // Read through the index on the line text, which holds every column the
  // choice needs.
  QString source() const { return par_index_eco(QStringLiteral("ECO_coup")); }
};

Candidates candidates(const QString& coups) {
  Candidates c;
  const bool prefixe = !coups.isEmpty();
  const QString debut = prefixe ? coups + QLatin1Char(' ') : QString();
  // The lines that stop at the moves ("moves *") can be many, and come first
  // in the range on the line text: the range starts after them, so that the
  // index skips them instead of stepping over each. No move starts with a
  // character that sorts before "*".
  const FiltreCoups f = filtre_coups(coups);
  c.where = prefixe ? QStringLiteral(" WHERE Eco_coup > ? AND Eco_coup < ?") : QStringLiteral(" WHERE Eco_coup > ?");
  c.valeurs << debut + QLatin1Char('*');
  if (prefixe) c.valeurs << f.valeurs.at(1);
  c.plage = c.where;
  c.valeurs_plage = c.valeurs;
  c.where += QStringLiteral(" AND Eco_coup NOT IN (?, ?, ?, ?)");
  for (const char* fin : FINS) c.valeurs << debut + QLatin1String(fin);
  // "moves *" lies below the range already.
  for (const char* fin : FINS)
    if (fin[0] != '*') c.fins << debut + QLatin1String(fin);
  return c;
}

// The lines read through the index on the line text that meet `where`,
// counted up to `plafond`.
qint64 compte_lignes(const Candidates& c, const QString& where, const QVariantList& valeurs, qint64 plafond) {
  // Without a ceiling the count needs no inner query, which SQLite walks
  // more slowly.
  if (plafond == std::numeric_limits<qint64>::max())
    return db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO") + c.source() + where, valeurs).toLongLong();
  return db_eco
      .valeur(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM ECO") + c.source() + where +
                  QStringLiteral(" LIMIT %1)").arg(plafond),
              valeurs)
      .toLongLong();
}

// The number of continuing lines, counted up to `plafond`.
qint64 compte(const Candidates& c, qint64 plafond) { return compte_lignes(c, c.where, c.valeurs, plafond); }

plateforme::JeuEnregistrements ligne_de_cle(const QVariant& cle) {
  return db_eco.requete(COLONNES + QStringLiteral(" WHERE Eco_cle = ?"), {cle});
}

plateforme::JeuEnregistrements aucune_ligne() { return db_eco.requete(COLONNES + QStringLiteral(" WHERE 0")); }

// The first continuing line of the order among the `tete` first lines of
// the order, or an invalid key.
QVariant en_tete(const Candidates& c, int tete) {
  return db_eco.valeur(QStringLiteral("SELECT Eco_cle FROM (SELECT Eco_cle, Eco_coup FROM ECO") +
                           par_index_eco(QStringLiteral("ECO_ordre")) +
                           ORDRE + QStringLiteral(" LIMIT %1)").arg(tete) + c.where + QStringLiteral(" LIMIT 1"),
                       c.valeurs);
}

// The first continuing line in the order. Lines that are a fair share of the
// base show up at the head of the order; a few lines are sorted; many lines
// are looked for further down the order before they are sorted.
plateforme::JeuEnregistrements meilleure_ligne(const Candidates& c) {
  auto premiere_triee = [&] {
    return db_eco.valeur(QStringLiteral("SELECT Eco_cle FROM ECO") + c.source() + c.where + ORDRE +
                             QStringLiteral(" LIMIT 1"),
                         c.valeurs);
  };
  // A handful of lines (deep in a line, off the book) is counted at once and
  // sorted, without the look through the head of the order that would miss.
  const qint64 poignee = compte(c, TRES_PEU_DE_LIGNES);
  if (poignee == 0) return aucune_ligne();
  if (poignee < TRES_PEU_DE_LIGNES) {
    const QVariant cle = premiere_triee();
    return cle.isValid() ? ligne_de_cle(cle) : aucune_ligne();
  }
  QVariant cle = en_tete(c, TETE_COURTE);
  if (!cle.isValid()) {
    const qint64 n = compte(c, PEU_DE_LIGNES);
    if (n == 0) return aucune_ligne();
    if (n >= PEU_DE_LIGNES) cle = en_tete(c, TETE_LONGUE);
    if (!cle.isValid()) cle = premiere_triee();
  }
  return cle.isValid() ? ligne_de_cle(cle) : aucune_ligne();
}

qint64 rang_au_hasard(qint64 n) {
  return std::clamp<qint64>(static_cast<qint64>(std::floor(tire_hasard() * static_cast<double>(n))), 0, n - 1);
}

// The statement that checks a lot of `lot` drawn keys in the order drawn and
// gives the first that is a continuing line (no row when none is): the keys
// are the outer loop (CROSS JOIN keeps them there, in their order), each
// looked up by key, and the looks stop at the first hit. Its values are the
// keys, then the candidates' condition's.
QString sql_tirage(const Candidates& c, int lot) {
  QStringList tirees;
  for (int i = 0; i < lot; ++i) tirees << QStringLiteral("(?)");
  return QStringLiteral("SELECT column1 FROM (VALUES ") + tirees.join(QLatin1Char(',')) +
         QStringLiteral(") CROSS JOIN ECO") + sans_index_eco() + c.where + QStringLiteral(" AND Eco_cle = column1 LIMIT 1");
}

// Keys drawn uniformly between the lowest and the highest key, the first one
// that is a continuing line taken: each continuing line is equally likely.
// `tirages` keys at most, in lots that double from `premier_lot` up to
// TIRAGES_PAR_LOT (a few sizes, each statement kept prepared by the
// database layer); an invalid key when none is hit.
QVariant cle_tiree(const Candidates& c, qint64 bas, qint64 haut, int tirages, int premier_lot) {
  int lot = premier_lot;
  for (int tires = 0; tires < tirages; tires += lot, lot = std::min(lot * 2, TIRAGES_PAR_LOT)) {
    // The span of the keys is counted without sign: it may pass the largest
    // signed key (keys from below 0 up to near 2^63).
    const std::uint64_t ecart = static_cast<std::uint64_t>(haut) - static_cast<std::uint64_t>(bas);
    QVariantList valeurs;
    for (int i = 0; i < lot; ++i) valeurs << static_cast<qint64>(static_cast<std::uint64_t>(bas) + tire_entier(ecart));
    valeurs << c.valeurs;
    const QVariant cle = db_eco.valeur(sql_tirage(c, lot), valeurs);
    if (cle.isValid() && !cle.isNull()) return cle;
  }
  return {};
}

// The lines of the range on the line text (those ending in a result
// included), counted up to `plafond`: the index walks them without a test on
// each, several times faster than the continuing lines are counted.
qint64 compte_plage(const Candidates& c, qint64 plafond) {
  return compte_lignes(c, c.plage, c.valeurs_plage, plafond);
}

// The key of a continuing line taken uniformly among the `dans_plage` lines
// of the range (an exact count), or an invalid key when the ranks drawn all
// fell on lines that end in a result. A rank is drawn among all the lines of
// the range and read from the nearer end of the index, in the index's own
// order (a line's text, then its other columns and its key); one that ends
// in a result is drawn again, so each continuing line is equally likely.
QVariant cle_de_rang_dans_plage(const Candidates& c, qint64 dans_plage) {
  static const QString ORDRE_INDEX =
      QStringLiteral(" ORDER BY Eco_coup%1, Eco_note%1, Eco_connaissance%1, Eco_code%1, Eco_cle%1");
  for (int essai = 0; essai < ESSAIS_DE_RANG; ++essai) {
    const qint64 rang = rang_au_hasard(dans_plage);
    const bool par_la_fin = rang >= dans_plage / 2;
    QVariantList valeurs = c.valeurs_plage;
    valeurs << (par_la_fin ? dans_plage - 1 - rang : rang);
    auto rs = db_eco.requete(QStringLiteral("SELECT Eco_cle, Eco_coup FROM ECO") + c.source() + c.plage +
                                 ORDRE_INDEX.arg(par_la_fin ? QStringLiteral(" DESC") : QString()) +
                                 QStringLiteral(" LIMIT 1 OFFSET ?"),
                             valeurs);
    if (rs.fin()) return {};
    const QString ligne = rs.texte(QStringLiteral("Eco_coup"));
    if (std::none_of(c.fins.begin(), c.fins.end(), [&](const QVariant& fin) { return fin.toString() == ligne; }))
      return rs.valeur(QStringLiteral("Eco_cle"));
  }
  return {};
}

// Any continuing line, each equally likely, whatever their number. A first
// small lot of keys is drawn before anything is counted: when the lines are
// many (the first moves of a game), it hits at once and the count is saved.
// Otherwise the lines of the range are counted, and among a few one is taken
// by its rank; among more, keys are drawn in growing lots. Each way the
// choice is uniform (a drawn key hits each continuing line alike), so the
// whole is.
plateforme::JeuEnregistrements ligne_au_hasard(const Candidates& c) {
  // Two queries: SQLite reads a lone min() or max() off the key's end, and
  // scans the table for both at once.
  const QVariant premiere = db_eco.valeur(QStringLiteral("SELECT min(Eco_cle) FROM ECO"));
  if (premiere.isNull()) return aucune_ligne();
  const qint64 bas = premiere.toLongLong();
  const qint64 haut = db_eco.valeur(QStringLiteral("SELECT max(Eco_cle) FROM ECO")).toLongLong();
  if (const QVariant cle = cle_tiree(c, bas, haut, TIRAGES_PREMIER_LOT, TIRAGES_PREMIER_LOT);
      cle.isValid())
    return ligne_de_cle(cle);
  // Among the `dans_plage` lines of the range (an exact count): by a rank
  // among them all, or, when the ranks keep falling on lines that end in a
  // result, by a rank among the continuing lines alone, counted (each of the
  // two uniform, so their sequence is).
  auto par_rang = [&](qint64 dans_plage) {
    if (const QVariant cle = cle_de_rang_dans_plage(c, dans_plage); cle.isValid()) return ligne_de_cle(cle);
    const qint64 n = compte(c, std::numeric_limits<qint64>::max());
    if (n == 0) return aucune_ligne();
    QVariantList valeurs = c.valeurs;
    valeurs << rang_au_hasard(n);
    return ligne_de_cle(db_eco.valeur(QStringLiteral("SELECT Eco_cle FROM ECO") + c.source() + c.where +
                                          QStringLiteral(" ORDER BY Eco_coup LIMIT 1 OFFSET ?"),
                                      valeurs));
  };
  const qint64 peu = compte_plage(c, PEU_DE_LIGNES_AU_HASARD);
  if (peu == 0) return aucune_ligne();
  if (peu < PEU_DE_LIGNES_AU_HASARD) return par_rang(peu);
  // The first lot missed: the next one is larger.
  const QVariant cle = cle_tiree(c, bas, haut, TIRAGES_MAX, TIRAGES_SECOND_LOT);
  if (cle.isValid()) return ligne_de_cle(cle);
  // Keys too sparse for the draws: count the lines after all.
  return par_rang(compte_plage(c, std::numeric_limits<qint64>::max()));
}

// The line the book move takes: by the order or at random.
plateforme::JeuEnregistrements choisit_ligne(const Candidates& c, bool au_hasard) {
  return au_hasard ? ligne_au_hasard(c) : meilleure_ligne(c);
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

qint64 cle_ligne_bibliotheque(const std::string& texte, bool au_hasard) {
  const Candidates c = candidates(coups_recherches(texte));
  return db_eco.lecture([&] {
    auto rs = choisit_ligne(c, au_hasard);
    return rs.fin() ? qint64{0} : rs.valeur(QStringLiteral("Eco_cle")).toLongLong();
  });
}

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
    struct Choisie {
      bool trouvee = false;
      std::string ligne;
      bool appris = false;
      float note = 0;
    };
    const Choisie choisie = db_eco.lecture([&] {
      auto rs = choisit_ligne(c, ouverture_aleatoire[profil] == 1);
      Choisie r;
      if (rs.fin()) return r;
      r.trouvee = true;
      r.ligne = rs.texte(QStringLiteral("Eco_coup")).toStdString();
      r.appris = rs.valeur(QStringLiteral("Eco_connaissance")).toInt() != 0;
      r.note = static_cast<float>(rs.valeur(QStringLiteral("Eco_note")).toDouble());
      return r;
    });
    if (!choisie.trouvee) return false;
    const std::string& ligne = choisie.ligne;
    const bool appris = choisie.appris;
    const float note_ligne = choisie.note;
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
  } catch (const std::exception& e) {
    signale_erreur_base(e);
  }
  col_s = lig_s = col_d = lig_d = 0;
  note = 0;
  return false;
}
