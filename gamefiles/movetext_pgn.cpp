#include "gamefiles/movetext_pgn.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <cctype>
#include <optional>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/messages.h"
#include "chess/notation.h"
#include "chess/outils.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "platform/boites.h"
#include "play/commentaires.h"

namespace pgn {

namespace {

bool blanc(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

bool marque(char c) { return c == '!' || c == '?'; }

// A comment as the game record keeps it: one line, no braces.
std::string nettoie_commentaire(std::string_view texte) {
  return comment_pgn(QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size())));
}

void ajoute_commentaire_coup(MovetextLu& m, std::string_view texte) {
  const std::string c = nettoie_commentaire(texte);
  if (c.empty()) return;
  const std::size_t k = m.coups.size();
  if (m.commentaires.size() <= k) m.commentaires.resize(k + 1);
  std::string& e = m.commentaires[k];
  e = e.empty() ? c : e + " " + c;
}

// One token of the main line.
void lit_jeton(MovetextLu& m, std::string_view t, bool& fini) {
  // A move number, alone or joined to its move.
  std::size_t k = 0;
  while (k < t.size() && t[k] >= '0' && t[k] <= '9') ++k;
  if (k > 0 && k < t.size() && t[k] == '.') {
    int points = 0;
    std::size_t j = k;
    while (j < t.size() && t[j] == '.') {
      ++points;
      ++j;
    }
    if (m.premier_numero == 0 && m.coups.empty()) {
      // A number too large for a game is no move number.
      int numero = 0;
      if (std::from_chars(t.data(), t.data() + k, numero).ec == std::errc() && numero <= 32767) m.premier_numero = numero;
      m.noir_d_abord = points >= 3;
    }
    t.remove_prefix(j);
  } else if (k == t.size()) {
    return;  // a bare number
  }
  if (t.empty()) return;
  if (est_resultat(t)) {
    m.resultat = std::string(t);
    fini = true;
    return;
  }
  if (t[0] == '$') return;
  if (t == "e.p." || std::all_of(t.begin(), t.end(), [](char c) { return marque(c) || c == '.'; })) return;
  while (!t.empty() && marque(t.back())) t.remove_suffix(1);
  if (t.size() > 4 && t.substr(t.size() - 4) == "e.p.") t.remove_suffix(4);
  while (!t.empty() && marque(t.back())) t.remove_suffix(1);
  if (!t.empty()) m.coups.emplace_back(t);
}

}  // namespace

// A move as a reader checks it before giving it to decode_coup: castling, or
// a piece letter, hints and a target square, a promotion, check marks.
bool ressemble_a_un_coup(std::string_view t) {
  while (!t.empty() && (t.back() == '+' || t.back() == '#')) t.remove_suffix(1);
  if (t == "O-O" || t == "O-O-O" || t == "0-0" || t == "0-0-0") return true;
  if (t.empty()) return false;
  std::size_t i = 0;
  if (std::string_view("KQRBN").find(t[0]) != std::string_view::npos) ++i;
  const std::size_t debut = i;
  while (i < t.size() && ((t[i] >= 'a' && t[i] <= 'h') || (t[i] >= '1' && t[i] <= '8') || t[i] == 'x' || t[i] == '-'))
    ++i;
  const std::string_view corps = t.substr(debut, i - debut);
  std::string cases;
  for (char c : corps)
    if (c != 'x' && c != '-') cases.push_back(c);
  if (cases.size() < 2 || cases.size() > 4) return false;
  const char col = cases[cases.size() - 2], lig = cases.back();
  if (col < 'a' || col > 'h' || lig < '1' || lig > '8') return false;
  std::string_view reste = t.substr(i);
  if (!reste.empty() && reste[0] == '=') reste.remove_prefix(1);
  return reste.empty() || (reste.size() == 1 && std::string_view("QRBN").find(reste[0]) != std::string_view::npos);
}

MovetextLu lit_movetext(std::string_view s) {
  MovetextLu m;
  m.commentaires.assign(1, std::string());
  std::size_t i = 0;
  const std::size_t n = s.size();
  int variation = 0;
  bool fini = false;
  while (i < n && !fini) {
    const char c = s[i];
    if (c == '{') {
      const std::size_t fin = s.find('}', i + 1);
      const std::size_t bout = fin == std::string_view::npos ? n : fin;
      if (fin == std::string_view::npos) m.commentaire_ouvert = true;
      if (variation == 0) ajoute_commentaire_coup(m, s.substr(i + 1, bout - i - 1));
      i = bout + 1;
    } else if (c == ';') {
      std::size_t fin = s.find_first_of("\r\n", i + 1);
      if (fin == std::string_view::npos) fin = n;
      if (variation == 0) ajoute_commentaire_coup(m, s.substr(i + 1, fin - i - 1));
      i = fin;
    } else if (c == '(') {
      ++variation;
      ++i;
    } else if (c == ')') {
      if (variation > 0) --variation;
      ++i;
    } else if (blanc(c)) {
      ++i;
    } else {
      std::size_t j = i;
      while (j < n && !blanc(s[j]) && s[j] != '{' && s[j] != '(' && s[j] != ')' && s[j] != ';') ++j;
      if (variation == 0) lit_jeton(m, s.substr(i, j - i), fini);
      i = j;
    }
  }
  while (m.commentaires.size() > 1 && m.commentaires.back().empty()) m.commentaires.pop_back();
  return m;
}

std::string texte_numerote(const std::vector<std::string>& coups, int numero, bool noir_d_abord) {
  std::string t;
  bool noir = noir_d_abord;
  for (std::size_t k = 0; k < coups.size(); ++k) {
    if (!t.empty()) t.push_back(' ');
    if (!noir)
      t += std::to_string(numero) + ".";
    else if (k == 0)
      t += std::to_string(numero) + "...";
    t += coups[k];
    if (noir) ++numero;
    noir = !noir;
  }
  return t;
}

std::string movetext_programme(const MovetextLu& m, const std::string& fen) {
  PositionGardee garde;
  couleur_joueur = BLANC;
  for (int& r : roque_interdit) r = 0;
  passant_blanc = passant_noir = 0;
  nb_demi_coups = 0;
  if (!fen.empty()) {
    const std::optional<PositionFen> position = lit_fen(fen, BLANC);
    if (!position) return texte_numerote(m.coups, m.premier_numero > 0 ? m.premier_numero : 1, m.noir_d_abord);
    applique_position_fen(*position);
  } else {
    place_debut_partie();
  }

  std::string texte;
  bool premier = true;
  for (std::size_t k = 0; k < m.coups.size(); ++k) {
    const int couleur = dernier_trait == BLANC ? NOIR : BLANC;
    const std::string& lu = m.coups[k];
    bool joue = false;
    int cs = 0, ls = 0, cd = 0, ld = 0, promotion = 0;
    if (ressemble_a_un_coup(lu) && lit_coup_legal(couleur, lu, cs, ls, cd, ld, promotion)) {
      if (couleur == BLANC) ++numero_coup;
      const CoupJoue coup = joue_coup(cs, ls, cd, ld, promotion);
      std::string court = rogne(coup.texte_court);
      if (premier && couleur == NOIR) court = std::to_string(numero_coup) + "..." + court;
      texte = texte.empty() ? court : texte + " " + court;
      premier = false;
      joue = true;
    }
    if (!joue) {
      // The rest as written, numbered on from here.
      const std::vector<std::string> reste(m.coups.begin() + static_cast<std::ptrdiff_t>(k), m.coups.end());
      const bool noir = couleur == NOIR;
      const std::string suite = texte_numerote(reste, noir ? numero_coup : numero_coup + 1, noir);
      texte = texte.empty() ? suite : texte + " " + suite;
      break;
    }
  }
  return texte;
}

}  // namespace pgn

pgn::MovetextLu extrait_commentaires(const std::string& movetext) {
  pgn::MovetextLu m = pgn::lit_movetext(movetext);
  if (m.commentaire_ouvert)
    plateforme::boite_message(texte(100) + QStringLiteral("PGN !"), boite::EXCLAMATION);
  commentaires_coups = m.commentaires;
  for (const std::string& c : m.commentaires)
    if (!c.empty()) ajoute_commentaire(QStringLiteral("{") + QString::fromStdString(c) + QStringLiteral("}\r\n"));
  return m;
}

std::string extrait_commentaires_pgn(const std::string& movetext) {
  const pgn::MovetextLu m = extrait_commentaires(movetext);
  std::string t = pgn::texte_numerote(m.coups, 1, false);
  if (!m.resultat.empty()) t = t.empty() ? m.resultat : t + " " + m.resultat;
  return t;
}

std::string insere_commentaires(const std::string& movetext) {
  auto commentaire = [](std::size_t k) -> std::string {
    if (k >= commentaires_coups.size() || commentaires_coups[k].empty()) return {};
    return "{" + commentaires_coups[k] + "}";
  };
  std::string sortie;
  auto ajoute = [&sortie](const std::string& mot) {
    if (mot.empty()) return;
    if (!sortie.empty()) sortie.push_back(' ');
    sortie += mot;
  };
  ajoute(commentaire(0));
  std::size_t demi_coups = 0;
  std::size_t i = 0;
  const std::string& s = movetext;
  while (i < s.size()) {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    if (i >= s.size()) break;
    std::size_t j = i;
    while (j < s.size() && !std::isspace(static_cast<unsigned char>(s[j]))) ++j;
    const std::string mot = s.substr(i, j - i);
    i = j;
    ajoute(mot);
    // A move number alone or a result is not a move.
    std::string_view t = mot;
    std::size_t k = 0;
    while (k < t.size() && t[k] >= '0' && t[k] <= '9') ++k;
    while (k < t.size() && k > 0 && t[k] == '.') ++k;
    if (k > 0 && (k == t.size() || t[k - 1] == '.')) t.remove_prefix(k);
    if (t.empty() || pgn::est_resultat(t) || est_annotation(std::string(t))) continue;
    ++demi_coups;
    ajoute(commentaire(demi_coups));
  }
  for (std::size_t k = demi_coups + 1; k < commentaires_coups.size(); ++k) ajoute(commentaire(k));
  return sortie;
}
