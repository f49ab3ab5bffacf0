#include "chess/notation.h"

#include <cctype>
#include <utility>
#include <vector>

#include "chess/cases.h"
#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/messages.h"
#include "chess/outils.h"
#include "chess/regles.h"

namespace {

const std::string LETTRES_FRANCAISES = "TCFDR";  // rook, knight, bishop, queen, king
const std::string LETTRES_ANGLAISES = "RNBQK";

// The piece letters of style_notation, rook first; none outside styles 1 and 2.
std::string lettres_entree() {
  if (style_notation == 1) return LETTRES_FRANCAISES;
  if (style_notation == 2) return LETTRES_ANGLAISES;
  return "";
}

bool dans_plateau(int c, int l) { return c >= 1 && c <= 8 && l >= 1 && l <= 8; }

bool est_colonne(char ch) { return ch >= 'a' && ch <= 'h'; }
bool est_rangee(char ch) { return ch >= '1' && ch <= '8'; }

// Screen coordinates of a chess file letter or row digit (already checked).
int colonne_de(char f) { return case_ecran(f - 'a' + 1, 1, couleur_joueur).colonne; }
int ligne_de(char r) { return case_ecran(1, r - '0', couleur_joueur).ligne; }

bool tout_chiffres(const std::string& s) {
  for (char ch : s)
    if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
  return true;
}

// Cuts `texte` at the first character of `jeu`; returns what was cut off.
std::string coupe_a(std::string& texte, const char* jeu) {
  const auto p = texte.find_first_of(jeu);
  if (p == std::string::npos) return "";
  std::string reste = texte.substr(p);
  texte.erase(p);
  return reste;
}

// The token as the message shows it: a control character (a NUL byte read
// from a file) would cut the text short or vanish; it is shown by its picture
// character (U+2400 to U+241F, U+2421), in UTF-8 as every message.
std::string token_visible(const std::string& token) {
  std::string s;
  for (char ch : token) {
    const unsigned char u = static_cast<unsigned char>(ch);
    if (u < 0x20 || u == 0x7F) {
      const unsigned image = u == 0x7F ? 0x2421 : 0x2400 + u;
      s += static_cast<char>(0xE0 | (image >> 12));
      s += static_cast<char>(0x80 | ((image >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (image & 0x3F));
    } else {
      s += ch;
    }
  }
  return s;
}

void refuse(const std::string& token, int& col_s, int& lig_s, int& col_d, int& lig_d) {
  col_s = lig_s = col_d = lig_d = 0;
  affiche_erreur("Erreur de chargement du coup : " + token_visible(token) + " !", "Attention");
}

}  // namespace

// --- Writing ------------------------------------------------------------

char lettre_colonne(int colonne) { return static_cast<char>(96 + fichier_de_colonne(colonne, couleur_joueur)); }

char chiffre_ligne(int ligne) { return static_cast<char>('0' + rangee_de_ligne(ligne, couleur_joueur)); }

std::string notation_coup(int numero, int code, int col_s, int lig_s, int code_dst, int col_d, int lig_d,
                          int en_passant) {
  std::string texte = couleur_piece(code) != NOIR ? " " + std::to_string(numero) + "." : " ";
  const int type = type_piece(code);
  const std::string lettres = lettres_entree();
  auto lettre = [&]() { return lettres.empty() ? std::string() : std::string(1, lettres[type - 3]); };
  switch (type) {
    case TYPE_PION:
      texte += nom_case(col_s, lig_s);
      break;
    case TYPE_ROI: {
      // Castling is told by the columns alone.
      const bool blanc_en_bas = couleur_joueur == BLANC;
      if ((blanc_en_bas && col_d == 7 && col_s == 5) || (!blanc_en_bas && col_d == 2 && col_s == 4))
        return texte + "O-O";
      if ((blanc_en_bas && col_d == 3 && col_s == 5) || (!blanc_en_bas && col_d == 6 && col_s == 4))
        return texte + "O-O-O";
      texte += lettre() + nom_case(col_s, lig_s);
      break;
    }
    case TYPE_TOUR:
    case TYPE_CAVALIER:
    case TYPE_FOU:
    case TYPE_DAME:
      texte += lettre() + nom_case(col_s, lig_s);
      break;
    default:
      texte += nom_case(col_s, lig_s);
      break;
  }
  texte += (code_dst != CASE_VIDE || en_passant == 1) ? "x" : "-";
  return texte + nom_case(col_d, lig_d);
}

std::string notation_abregee(const std::string& texte_long) { return notation_abregee(texte_long, ""); }

std::string notation_abregee(const std::string& texte_long, const std::string& desambiguisation) {
  std::string s = rogne(texte_long);
  const std::string entree = lettres_entree();

  const auto ep = s.find("e.p.");
  const bool en_passant = ep != std::string::npos;
  if (en_passant) s.erase(ep);

  // p: how many characters the move number takes, its "." included.
  std::string resultat = " ";
  size_t p = 0;
  if (const auto point = s.find('.'); point != std::string::npos) {
    p = point + 1;
    resultat += s.substr(0, p);
  }
  auto car = [&](size_t i) { return i < s.size() ? s[i] : '\0'; };

  const char c = car(p);
  size_t fenetre;
  const auto k = c ? entree.find(c) : std::string::npos;
  if (k != std::string::npos) {
    resultat += LETTRES_ANGLAISES[k];
    resultat += desambiguisation;
    fenetre = 6;
  } else if (s.compare(p, 5, "O-O-O") == 0) {
    return resultat + "O-O-O";
  } else if (s.compare(p, 3, "O-O") == 0) {
    return resultat + "O-O";
  } else {
    fenetre = 5;
    if (s.find('x') != std::string::npos && c) resultat += c;
  }

  // The window holds the source square, "-" or "x", and the target square.
  for (size_t i = 1; i <= fenetre; ++i) {
    const char ch = car(p + i - 1);
    if (!ch) break;
    if (ch == 'x' || i + 1 >= fenetre) resultat += ch;
  }

  if (const auto q = s.find('='); q != std::string::npos && q + 1 < s.size()) {
    const char promue = s[q + 1];
    auto position = entree.find(promue);
    // Promotion letters are English outside the French style.
    if (position == std::string::npos) position = LETTRES_ANGLAISES.find(promue);
    resultat += '=';
    resultat += position != std::string::npos
                    ? LETTRES_ANGLAISES[position]
                    : static_cast<char>(std::toupper(static_cast<unsigned char>(promue)));
  }
  if (en_passant) resultat += "e.p.";
  return resultat;
}

std::string desambiguisation(int col_s, int lig_s, int col_d, int lig_d) {
  const int code = tab_echiquier(col_s, lig_s);
  if (code == CASE_VIDE || type_piece(code) == TYPE_PION || type_piece(code) == TYPE_AUCUN) return "";
  bool autre = false, meme_colonne = false, meme_ligne = false;
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      if ((c == col_s && l == lig_s) || tab_echiquier.brut(c, l) != code) continue;
      if (!coup_legal(c, l, col_d, lig_d)) continue;
      autre = true;
      meme_colonne = meme_colonne || c == col_s;
      meme_ligne = meme_ligne || l == lig_s;
    }
  if (!autre) return "";
  if (!meme_colonne) return std::string(1, lettre_colonne(col_s));
  if (!meme_ligne) return std::string(1, chiffre_ligne(lig_s));
  return nom_case(col_s, lig_s);
}

// --- Reading ------------------------------------------------------------

bool est_annotation(const std::string& token) {
  const std::string t = rogne(token);
  if (t.empty()) return false;
  if (t == "e.p." || t[0] == '{' || t[0] == ';') return true;
  if (t[0] == '$') return t.size() > 1 && tout_chiffres(t.substr(1));
  if (t.find_first_not_of("!?") == std::string::npos) return t.size() <= 2;
  const auto point = t.find('.');
  return point != std::string::npos && tout_chiffres(t.substr(0, point)) &&
         t.find_first_not_of('.', point) == std::string::npos;
}

void decode_coup(int couleur, int style, std::string& token, int& col_s, int& lig_s, int& col_d, int& lig_d,
                 int& code, std::string& marques) {
  col_s = lig_s = 0;
  marques.clear();
  token = rogne(token);
  const bool vide_au_depart = token.empty();

  coupe_a(token, "{;");  // a comment is not kept
  if (const auto ep = token.find("e.p."); ep != std::string::npos) {
    marques = token.substr(ep);
    token.erase(ep);
  }
  // The move number: digits then one or more dots ("12.", "12...").
  if (const auto point = token.find('.'); point != std::string::npos) {
    if (!tout_chiffres(rogne(token.substr(0, point)))) {
      refuse(token, col_s, lig_s, col_d, lig_d);
      return;
    }
    const auto debut = token.find_first_not_of('.', point);
    token = debut == std::string::npos ? std::string() : rogne(token.substr(debut));
  }
  coupe_a(token, "$");  // numeric annotations
  // Check and mate marks, annotation marks and the promotion, kept in front
  // of what was already cut off.
  for (const char* jeu : {"+", "#", "!?", "="})
    if (std::string m = coupe_a(token, jeu); !m.empty()) marques = m + marques;
  token = rogne(token);

  if (token == "0-1" || token == "1-0" || token == "1/2-1/2" || token == "*") {
    code = CASE_VIDE;
    marques = token;
    col_s = lig_s = col_d = lig_d = 0;
    return;
  }
  if (token.empty()) {
    // Nothing but marks around no move: refused unless nothing was there at all.
    if (!vide_au_depart) refuse(token, col_s, lig_s, col_d, lig_d);
    return;
  }

  const int code_pion = couleur == BLANC ? PION_BLANC : PION_NOIR;
  const int code_roi = couleur == BLANC ? ROI_BLANC : ROI_NOIR;
  const bool blanc_en_bas = couleur_joueur == BLANC;
  // d: from the target row back to a pawn's source row.
  const int d = couleur == BLANC ? (blanc_en_bas ? 1 : -1) : (blanc_en_bas ? -1 : 1);

  const bool petit_roque = token == "O-O" || token == "0-0";
  const bool grand_roque = token == "O-O-O" || token == "0-0-0";
  if (petit_roque || grand_roque) {
    const int ligne = (couleur == BLANC) == blanc_en_bas ? 8 : 1;
    code = code_roi;
    col_s = blanc_en_bas ? 5 : 4;
    lig_s = lig_d = ligne;
    col_d = blanc_en_bas ? (petit_roque ? 7 : 3) : (petit_roque ? 2 : 6);
    return;
  }

  // A promotion written without "=" ("e8Q").
  const size_t n = token.size();
  if (n >= 3 && est_colonne(token[0]) && (token[n - 2] == '1' || token[n - 2] == '8') &&
      std::isupper(static_cast<unsigned char>(token[n - 1]))) {
    marques = "=" + token.substr(n - 1) + marques;
    token.pop_back();
  }

  const std::string& lettres = style == 1 ? LETTRES_FRANCAISES : LETTRES_ANGLAISES;
  const auto k = lettres.find(token[0]);

  if (k == std::string::npos) {
    // A pawn: "e4" or "exd5".
    if (token.size() == 2 && est_colonne(token[0]) && est_rangee(token[1])) {
      code = code_pion;
      col_d = colonne_de(token[0]);
      lig_d = ligne_de(token[1]);
      for (int pas : {1, 2}) {
        const int l = lig_d + pas * d;
        if (!dans_plateau(col_d, l)) break;
        const int p = tab_echiquier(col_d, l);
        if (type_piece(p) == TYPE_PION && couleur_piece(p) == couleur) {
          col_s = col_d;
          lig_s = l;
          return;
        }
      }
      col_s = lig_s = col_d = lig_d = 0;
      return;
    }
    if (token.size() == 4 && est_colonne(token[0]) && token[1] == 'x' && est_colonne(token[2]) &&
        est_rangee(token[3])) {
      const int ld = ligne_de(token[3]);
      if (dans_plateau(1, ld + d)) {
        code = code_pion;
        col_s = colonne_de(token[0]);
        col_d = colonne_de(token[2]);
        lig_d = ld;
        lig_s = ld + d;
        return;
      }
    }
    refuse(token, col_s, lig_s, col_d, lig_d);
    return;
  }

  // A piece: letter, optional hint (file, row or square), optional "x", target.
  std::string corps = token.substr(1);
  if (corps.size() >= 3 && corps[corps.size() - 3] == 'x') corps.erase(corps.size() - 3, 1);
  const size_t m = corps.size();
  if (m < 2 || m > 4 || !est_colonne(corps[m - 2]) || !est_rangee(corps[m - 1])) {
    refuse(token, col_s, lig_s, col_d, lig_d);
    return;
  }
  int indice_c = 0, indice_l = 0;
  if (m == 3) {
    if (est_colonne(corps[0]))
      indice_c = colonne_de(corps[0]);
    else if (est_rangee(corps[0]))
      indice_l = ligne_de(corps[0]);
    else {
      refuse(token, col_s, lig_s, col_d, lig_d);
      return;
    }
  } else if (m == 4) {
    if (!est_colonne(corps[0]) || !est_rangee(corps[1])) {
      refuse(token, col_s, lig_s, col_d, lig_d);
      return;
    }
    indice_c = colonne_de(corps[0]);
    indice_l = ligne_de(corps[1]);
  }
  code = code_pion + static_cast<int>(k) + 1;
  col_d = colonne_de(corps[m - 2]);
  lig_d = ligne_de(corps[m - 1]);
  col_s = indice_c;
  lig_s = indice_l;
  cherche_origine(code, col_d, lig_d, col_s, lig_s);
  // No piece of that kind can come there: no source.
  if (!dans_plateau(col_s, lig_s) || tab_echiquier(col_s, lig_s) != code) col_s = lig_s = 0;
}

void cherche_origine(int code, int col_d, int lig_d, int& col_s, int& lig_s) {
  if (!dans_plateau(col_d, lig_d)) return;
  const int type = type_piece(code);
  const int indice_c = col_s, indice_l = lig_s;
  std::vector<std::pair<int, int>> candidats;
  auto examine = [&](int c, int l) {
    if (tab_echiquier.brut(c, l) != code) return;
    if (indice_c != 0 && c != indice_c) return;
    if (indice_l != 0 && l != indice_l) return;
    candidats.emplace_back(c, l);
  };
  auto parcourt = [&](const int (*directions)[2]) {
    for (int i = 0; i < 4; ++i)
      for (int c = col_d + directions[i][0], l = lig_d + directions[i][1]; dans_plateau(c, l);
           c += directions[i][0], l += directions[i][1])
        examine(c, l);
  };
  static const int lignes[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  static const int diagonales[4][2] = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
  static const int sauts[8][2] = {{2, 1}, {2, -1}, {-2, 1}, {-2, -1}, {1, -2}, {1, 2}, {-1, -2}, {-1, 2}};
  if (type == TYPE_TOUR || type == TYPE_DAME || type == TYPE_ROI) parcourt(lignes);
  if (type == TYPE_FOU || type == TYPE_DAME || type == TYPE_ROI) parcourt(diagonales);
  if (type == TYPE_CAVALIER)
    for (const auto& s : sauts)
      if (dans_plateau(col_d + s[0], lig_d + s[1])) examine(col_d + s[0], lig_d + s[1]);
  if (candidats.empty()) return;

  // A piece behind another one, or pinned to its king, is not the one meant.
  const int code_dst = tab_echiquier(col_d, lig_d);
  const std::pair<int, int>* choix = nullptr;
  for (const auto& cand : candidats)
    if (coup_legal(cand.first, cand.second, col_d, lig_d)) {
      choix = &cand;
      break;
    }
  if (!choix)
    for (const auto& cand : candidats)
      if (coup_valide(code, cand.first, cand.second, code_dst, col_d, lig_d)) {
        choix = &cand;
        break;
      }
  if (!choix) choix = &candidats.front();
  col_s = choix->first;
  lig_s = choix->second;
}

bool cherche_piece_identique(int colonne, int ligne, int& autre_col, int& autre_lig) {
  if (!dans_plateau(colonne, ligne)) return false;
  const int code = tab_echiquier(colonne, ligne);
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l)
      if ((c != colonne || l != ligne) && tab_echiquier.brut(c, l) == code) {
        autre_col = c;
        autre_lig = l;
        return true;
      }
  return false;
}
