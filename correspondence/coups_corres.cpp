#include "correspondence/coups_corres.h"

#include <QStringList>
#include <algorithm>
#include <cctype>
#include <sstream>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/messages.h"
#include "chess/notation.h"
#include "chess/outils.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"

namespace {

bool est_resultat(const std::string& t) { return t == "*" || t == "1-0" || t == "0-1" || t == "1/2-1/2"; }

// A move number at the start of a word is cut off; `numero` and `points`
// receive it (0 and 0 without number).
std::string sans_numero(const std::string& mot, int& numero, int& points) {
  numero = 0;
  points = 0;
  size_t i = 0;
  while (i < mot.size() && std::isdigit(static_cast<unsigned char>(mot[i]))) ++i;
  if (i == 0 || i >= mot.size() || mot[i] != '.') return mot;
  numero = std::atoi(mot.substr(0, std::min<size_t>(i, 9)).c_str());
  while (i < mot.size() && mot[i] == '.') {
    ++points;
    ++i;
  }
  return mot.substr(i);
}

std::vector<std::string> mots(const std::string& texte) {
  std::vector<std::string> m;
  std::istringstream flux(texte);
  std::string mot;
  while (flux >> mot) m.push_back(mot);
  return m;
}

// The moves of a word list, in order: what is left of each word once its
// number is cut, skipping numbers alone and annotations; a result ends it.
std::vector<std::string> jetons_de_coups(const std::string& texte) {
  std::vector<std::string> j;
  for (const std::string& mot : mots(texte)) {
    if (est_resultat(mot)) break;
    int numero = 0, points = 0;
    const std::string reste = sans_numero(mot, numero, points);
    if (reste.empty() || est_annotation(reste)) continue;
    j.push_back(reste);
  }
  return j;
}

}  // namespace

QString dernier_coup(const QString& coups) {
  const std::vector<std::string> j = jetons_de_coups(coups.toStdString());
  return j.empty() ? QString() : QString::fromStdString(j.back());
}

int demi_coups_ecrits(const QString& coups) {
  return static_cast<int>(jetons_de_coups(coups.toStdString()).size());
}

bool trait_au_joueur(const QString& coups, bool jai_blanc) {
  const bool blanc_au_trait = demi_coups_ecrits(coups) % 2 == 0;
  return blanc_au_trait == jai_blanc;
}

// --- Reading with the rules ---------------------------------------------------

struct PartieLue::Garde {
  PositionGardee position;
  ErreursMuettes muettes;
};

PartieLue::PartieLue() : garde_(new Garde) {
  couleur_joueur = BLANC;
  place_debut_partie();
  style_notation = 2;
}

PartieLue::~PartieLue() { delete garde_; }

int PartieLue::trait() const { return coups_.size() % 2 == 0 ? BLANC : NOIR; }

bool PartieLue::joue(const std::string& jeton, int style) {
  const int couleur = trait();
  int cs = 0, ls = 0, cd = 0, ld = 0, promotion = 0;
  if (!lit_coup_legal(couleur, style == 1 ? 1 : 2, jeton, cs, ls, cd, ld, promotion)) {
    fautif_ = jeton;
    return false;
  }
  if (couleur == BLANC) ++numero_coup;
  const CoupJoue joue = joue_coup(cs, ls, cd, ld, promotion);
  int numero = 0, points = 0;
  coups_.push_back(sans_numero(rogne(joue.texte_court), numero, points));
  return true;
}

bool PartieLue::lit(const std::string& texte, int style) {
  for (const std::string& j : jetons_de_coups(texte))
    if (!joue(j, style)) return false;
  return true;
}

bool PartieLue::joue_numerote(const std::string& jeton, int style) {
  int numero = 0, points = 0;
  const std::string coup = sans_numero(rogne(jeton), numero, points);
  const int attendu = static_cast<int>(coups_.size()) / 2 + 1;
  if (coup.empty() || coup.find_first_of(" \t") != std::string::npos ||
      (points > 0 && (numero != attendu || (points >= 3) != (trait() == NOIR)))) {
    fautif_ = rogne(jeton);
    return false;
  }
  return joue(coup, style);
}

// --- Writing -----------------------------------------------------------------

std::string en_lettres(const std::string& court, int style) {
  if (style != 1) return court;
  static const std::string anglais = "NBRQK", francais = "CFTDR";
  std::string t = court;
  auto traduit = [&](size_t i) {
    if (i >= t.size()) return;
    const auto p = anglais.find(t[i]);
    if (p != std::string::npos) t[i] = francais[p];
  };
  traduit(0);
  if (const auto egal = t.find('='); egal != std::string::npos) traduit(egal + 1);
  return t;
}

std::string ecrit_coups(const std::vector<std::string>& coups, int style) {
  std::string t;
  for (size_t i = 0; i < coups.size(); ++i) {
    if (!t.empty()) t += ' ';
    if (i % 2 == 0) t += std::to_string(i / 2 + 1) + '.';
    t += en_lettres(coups[i], style);
  }
  return t;
}

// --- The two moves of a round ---------------------------------------------------

namespace {
int style_de(int notation) { return notation == 1 ? 1 : 2; }

// The stored list followed by its half-move number `n` (White's with its
// number), one blank between.
std::string ajoute_coup(const std::string& base, size_t n, const std::string& coup) {
  std::string t = base;
  if (!t.empty()) t += ' ';
  if (n % 2 == 1) t += std::to_string(n / 2 + 1) + '.';
  return t + coup;
}

// The stored list that one more move extends: a running game's "*" at its
// end is dropped (a move written after it would never be read again); a
// game with its result, or with words after a "*", takes no more moves.
std::optional<std::string> liste_a_prolonger(const QString& stockes, QString* erreur) {
  const std::string liste = rogne(stockes.toStdString());
  const std::vector<std::string> m = mots(liste);
  const auto resultat = std::find_if(m.begin(), m.end(), est_resultat);
  if (resultat == m.end()) return liste;
  if (*resultat == "*" && resultat + 1 == m.end()) {
    // The last word: cut the list where it begins, with the blanks before it.
    std::size_t fin = liste.find_last_not_of(" \t\n\v\f\r");
    while (fin > 0 && std::isspace(static_cast<unsigned char>(liste[fin - 1]))) --fin;
    return liste.substr(0, fin);
  }
  if (erreur)
    *erreur = *resultat == "*"
                  ? texte(870)
                  : texte(871).arg(QString::fromStdString(*resultat));
  return std::nullopt;
}

// A refusal: why goes to `erreur`, no move comes back.
std::nullopt_t refuse(QString* erreur, const QString& pourquoi) {
  if (erreur) *erreur = pourquoi;
  return std::nullopt;
}

QString coup_illisible(const std::string& jeton) {
  return texte(470) + QStringLiteral(" (") + QString::fromStdString(jeton) + QStringLiteral(")");
}
}  // namespace

std::optional<CoupEnvoye> coup_a_envoyer(const QString& stockes, int notation, bool jai_blanc,
                                         const std::string& partie, QString* erreur) {
  const int style = style_de(notation);
  const std::optional<std::string> ouverte = liste_a_prolonger(stockes, erreur);
  if (!ouverte) return std::nullopt;
  const std::string& base = *ouverte;
  std::string jeu = rogne(partie);
  // A running game's "*" at the end is no move.
  for (const std::string r : {" *", "*"})
    if (jeu.size() >= r.size() && jeu.compare(jeu.size() - r.size(), r.size(), r) == 0) {
      jeu = rogne(jeu.substr(0, jeu.size() - r.size()));
      break;
    }
  if (jeu.compare(0, base.size(), base) != 0 || (!base.empty() && jeu.size() > base.size() && jeu[base.size()] != ' '))
    return refuse(erreur, texte(872));
  PartieLue lue;
  if (!lue.lit(base, style)) return refuse(erreur, coup_illisible(lue.fautif()));
  const size_t avant = lue.coups().size();
  if ((lue.trait() == BLANC) != jai_blanc)
    return refuse(erreur, texte(873));
  if (!lue.lit(jeu.substr(base.size()), 2)) return refuse(erreur, coup_illisible(lue.fautif()));
  if (lue.coups().size() != avant + 1)
    return refuse(erreur, texte(874).arg(lue.coups().size() - avant));
  CoupEnvoye e;
  e.coup = QString::fromStdString(en_lettres(lue.coups().back(), style));
  e.coups = QString::fromStdString(ajoute_coup(base, lue.coups().size(), en_lettres(lue.coups().back(), style)));
  return e;
}

std::optional<CoupRecu> coup_adverse(const QString& stockes, int notation, bool jai_blanc, const QString& saisi,
                                     QString* erreur) {
  const int style = style_de(notation);
  const std::optional<std::string> ouverte = liste_a_prolonger(stockes, erreur);
  if (!ouverte) return std::nullopt;
  const std::string& base = *ouverte;
  PartieLue lue;
  if (!lue.lit(base, style)) return refuse(erreur, coup_illisible(lue.fautif()));
  if ((lue.trait() == BLANC) == jai_blanc)
    return refuse(erreur, texte(875));
  if (!lue.joue_numerote(saisi.toStdString(), style)) return refuse(erreur, coup_illisible(lue.fautif()));
  CoupRecu r;
  const size_t n = lue.coups().size();
  const std::string coup = en_lettres(lue.coups().back(), style);
  r.coups = QString::fromStdString(ajoute_coup(base, n, coup));
  r.coup = QString::fromStdString(n % 2 == 1 ? std::to_string(n / 2 + 1) + "." + coup : coup);
  return r;
}
