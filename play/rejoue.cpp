#include "play/rejoue.h"

#include <QListWidget>
#include <cctype>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "boardcontrol/echiquier.h"
#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/messages.h"
#include "chess/notation.h"
#include "chess/outils.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "play/jeu.h"
#include "play/partie.h"

namespace {

bool est_resultat(const std::string& t) { return t == "1-0" || t == "0-1" || t == "1/2-1/2" || t == "*"; }

// The words of a movetext, without comments ("{...}", ";" to the end of the
// line) and variations ("(...)", nested).
std::vector<std::string> mots_partie(const std::string& texte) {
  std::vector<std::string> mots;
  std::string mot;
  int variation = 0;
  auto coupe = [&] {
    if (!mot.empty()) mots.push_back(mot);
    mot.clear();
  };
  for (size_t i = 0; i < texte.size(); ++i) {
    const char ch = texte[i];
    if (ch == '{') {
      coupe();
      const auto fin = texte.find('}', i);
      if (fin == std::string::npos) break;
      i = fin;
    } else if (ch == ';' && variation == 0) {
      coupe();
      const auto fin = texte.find_first_of("\r\n", i);
      if (fin == std::string::npos) break;
      i = fin;
    } else if (ch == '(') {
      coupe();
      ++variation;
    } else if (ch == ')') {
      coupe();
      if (variation > 0) --variation;
    } else if (variation > 0) {
      continue;
    } else if (std::isspace(static_cast<unsigned char>(ch))) {
      coupe();
    } else {
      mot.push_back(ch);
    }
  }
  coupe();
  return mots;
}

// A move number at the start of a word: its digits and dots are cut off;
// `points` receives the number of dots (0 when the word holds no number).
std::string sans_numero(const std::string& mot, int& points) {
  points = 0;
  size_t i = 0;
  while (i < mot.size() && std::isdigit(static_cast<unsigned char>(mot[i]))) ++i;
  if (i == 0 || i >= mot.size() || mot[i] != '.') return mot;
  while (i < mot.size() && mot[i] == '.') {
    ++points;
    ++i;
  }
  return mot.substr(i);
}

// The annotation marks of a token ("!", "?", "!?"...), the only marks the
// move list keeps from the movetext: the rest is written by the move itself.
std::string annotations(const std::string& marques) {
  std::string a;
  for (char ch : marques)
    if (ch == '!' || ch == '?') a.push_back(ch);
  return a;
}

class Rejeu {
 public:
  Rejeu(ControlesPartie& c) : ctl_(c) {}

  // Plays one half-move; false when the replay ends here.
  bool joue(int couleur, const std::string& mot);
  // The verdict of the last move played.
  Verdict verdict() const { return verdict_; }
  // Ends the replay on a result token.
  void resultat(const std::string& r);

 private:
  ControlesPartie& ctl_;
  Verdict verdict_ = Verdict::CONTINUE;
};

bool Rejeu::joue(int couleur, const std::string& mot) {
  std::string jeton = mot;
  int cs = 0, ls = 0, cd = 0, ld = 0, code = 0;
  std::string marques;
  decode_coup(couleur, style_notation, jeton, cs, ls, cd, ld, code, marques);
  if (code == CASE_VIDE && est_resultat(marques)) {
    resultat(marques);
    return false;
  }
  if (couleur == BLANC) ++numero_coup;

  const bool source = cs != 0 && ls != 0 && cd != 0 && ld != 0 && tab_echiquier(cs, ls) != CASE_VIDE;
  bool valide = source && coup_valide(tab_echiquier(cs, ls), cs, ls, tab_echiquier(cd, ld), cd, ld) != 0;
  if (!valide && source) {
    const int t = type_piece(tab_echiquier(cs, ls));
    int ac = 0, al = 0;
    if ((t == TYPE_TOUR || t == TYPE_CAVALIER) && cherche_piece_identique(cs, ls, ac, al) &&
        coup_valide(tab_echiquier(ac, al), ac, al, tab_echiquier(cd, ld), cd, ld)) {
      cs = ac;
      ls = al;
      valide = true;
    }
  }

  if (!valide) {
    const QString question = texte(couleur == BLANC ? 340 : 341) + QString::number(numero_coup) + texte(342);
    if (plateforme::boite_message(question, boite::OUI_NON) != boite::OUI)
      return false;
    if (!source) return true;  // nothing on the board can make it: the move is left out
  }

  // The move path numbers White's move itself.
  if (couleur == BLANC) --numero_coup;
  CoupPartie coup;
  coup.source = SourceCoup::REJEU;
  coup.col_s = cs;
  coup.lig_s = ls;
  coup.col_d = cd;
  coup.lig_d = ld;
  coup.promotion = code_promotion_marques(marques, couleur);
  coup.annotations = annotations(marques);
  verdict_ = joue_coup_partie(ctl_, coup);
  return true;
}

void Rejeu::resultat(const std::string& r) {
  resultat_partie = r;
  if (r == "*") return;
  ctl_.liste->addItem(QString::fromStdString(r));
  texte_partie_longue = rogne(texte_partie_longue + " " + r);
  memorise_controle(ctl_);
  ctl_.liste->setCurrentRow(ctl_.liste->count() - 1);
}

}  // namespace

int code_promotion_marques(const std::string& marques, int couleur) {
  const auto egal = marques.find('=');
  if (egal == std::string::npos || egal + 1 >= marques.size()) return 0;
  int type = 0;
  switch (std::toupper(static_cast<unsigned char>(marques[egal + 1]))) {
    case 'T': case 'R': type = TYPE_TOUR; break;
    case 'C': case 'N': type = TYPE_CAVALIER; break;
    case 'F': case 'B': type = TYPE_FOU; break;
    case 'D': case 'Q': type = TYPE_DAME; break;
    default: return 0;
  }
  return couleur == BLANC ? type + 6 : type;
}

void rejoue_partie(ControlesPartie& controles, int couleur_en_bas, const std::string& fen) {
  try {
    Rejeu rejeu(controles);
    couleur_joueur = couleur_en_bas == NOIR ? NOIR : BLANC;
    dernier_trait = NOIR;
    controles.echiquier->clear_all();
    controles.echiquier->init_echiquier(couleur_joueur, controles.echiquier->PathImage(), QString());
    historique_positions.clear();
    numero_coup = 0;
    roque_interdit[BLANC] = roque_interdit[NOIR] = 0;
    passant_blanc = passant_noir = 0;
    nb_demi_coups = 0;
    // The evaluations of an earlier game do not belong to this one: each
    // replayed move is judged again.
    notes_coups.clear();
    controles.liste->clear();
    recharge_depuis_controle(controles);
    int attendu = BLANC;
    if (const std::optional<PositionFen> position = fen.empty() ? std::nullopt : lit_fen(fen, couleur_joueur)) {
      applique_position_fen(*position);
      montre_tab_echiquier(controles);
      attendu = couleur_adverse(dernier_trait);
    }
    memorise_controle(controles);
    if (rogne(texte_partie) == "*") {
      texte_partie.clear();
      resultat_partie = "*";
      return;
    }
    texte_partie_longue.clear();
    // The move path writes the movetext again; the game record keeps the
    // text as it was loaded, comments included.
    const std::string charge = texte_partie;
    struct RemetTexte {
      const std::string& t;
      ~RemetTexte() { texte_partie = t; }
    } remet{charge};
    texte_partie.clear();

    bool numero_vu = false;
    for (const std::string& mot_brut : mots_partie(charge)) {
      if (est_resultat(mot_brut)) {
        rejeu.resultat(mot_brut);
        break;
      }
      int points = 0;
      const std::string mot = sans_numero(mot_brut, points);
      if (points > 0) {
        numero_vu = true;
        attendu = points >= 3 ? NOIR : BLANC;
      }
      if (!numero_vu || mot.empty() || est_annotation(mot)) continue;
      if (!rejeu.joue(attendu, mot)) break;
      attendu = couleur_adverse(attendu);
    }
    // A movetext that ends on a mate or a stalemate without its result
    // token ends the game all the same.
    if (resultat_partie == "*" && (rejeu.verdict() == Verdict::MAT || rejeu.verdict() == Verdict::PAT))
      rejeu.resultat(rejeu.verdict() == Verdict::PAT ? "1/2-1/2" : dernier_trait == BLANC ? "1-0" : "0-1");
  } catch (const std::exception& e) {
    plateforme::boite_message(QString::fromStdString(e.what()), boite::EXCLAMATION, QStringLiteral("Attention"));
  }
  // A finished game has no running clock, also when its replay stopped
  // before the result token (a move refused, an error).
  if (!partie_en_cours()) arret_timers();
}
