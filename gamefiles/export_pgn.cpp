#include "gamefiles/export_pgn.h"

#include <QString>
#include <algorithm>
#include <cctype>
#include <optional>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/outils.h"
#include "chess/regles.h"
#include "gamefiles/lecture_pgn.h"
#include "play/commentaires.h"
#include "play/entete_partie.h"
#include "play/machine.h"

namespace pgn {

namespace {

const char* const ROSTER[] = {"Event", "Site", "Date", "Round", "White", "Black", "Result"};

bool meme_nom(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// A tag name other programs take: letters, digits and "_", from a letter or digit.
bool nom_valide(std::string_view n) {
  if (n.empty() || !std::isalnum(static_cast<unsigned char>(n[0]))) return false;
  return std::all_of(n.begin(), n.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '+' || c == '#' || c == '=' || c == ':' ||
           c == '-';
  });
}

std::string rogne_blancs(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return std::string(s);
}

// A part of a date: its digits when it has `chiffres` of them, else "?"s.
std::string partie_date(std::string_view p, std::size_t chiffres) {
  const bool lu = p.size() == chiffres && std::all_of(p.begin(), p.end(), [](char c) { return c >= '0' && c <= '9'; });
  return lu ? std::string(p) : std::string(chiffres, '?');
}

// The words of a line of text, cut at blanks.
std::vector<std::string> mots(std::string_view t) {
  std::vector<std::string> m;
  std::size_t i = 0;
  while (i < t.size()) {
    while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
    std::size_t j = i;
    while (j < t.size() && !std::isspace(static_cast<unsigned char>(t[j]))) ++j;
    if (j > i) m.emplace_back(t.substr(i, j - i));
    i = j;
  }
  return m;
}

// The words of a comment in braces: "{first", ..., "last}".
void ajoute_commentaire(std::vector<std::string>& jetons, const std::string& texte) {
  std::string propre = comment_pgn(QString::fromStdString(texte));
  // Control characters have no place in a text file.
  for (char& c : propre)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  std::vector<std::string> m = mots(propre);
  if (m.empty()) return;
  m.front().insert(0, "{");
  m.back().push_back('}');
  jetons.insert(jetons.end(), m.begin(), m.end());
}

// A move as standard notation writes it: no number, no "e.p.".
std::string san(std::string court) {
  court = rogne(court);
  std::size_t k = 0;
  while (k < court.size() && court[k] >= '0' && court[k] <= '9') ++k;
  if (k > 0 && k < court.size() && court[k] == '.') {
    while (k < court.size() && court[k] == '.') ++k;
    court.erase(0, k);
  }
  if (const auto ep = court.find("e.p."); ep != std::string::npos) court.erase(ep, 4);
  return court;
}

std::string joint_lignes(const std::vector<std::string>& jetons, bool une_ligne) {
  std::string sortie, ligne;
  for (const std::string& j : jetons) {
    if (!une_ligne && !ligne.empty() && ligne.size() + 1 + j.size() > LARGEUR_LIGNE_PGN) {
      sortie += ligne + "\r\n";
      ligne.clear();
    }
    ligne = ligne.empty() ? j : ligne + " " + j;
  }
  return sortie + ligne;
}

}  // namespace

std::string date_pgn(std::string_view valeur) {
  const std::string v = rogne_blancs(valeur);
  std::vector<std::string> parties;
  std::string courante;
  for (char c : v) {
    if (c == '.' || c == '/' || c == '-') {
      parties.push_back(courante);
      courante.clear();
    } else {
      courante.push_back(c);
    }
  }
  parties.push_back(courante);
  if (parties.size() == 3 && parties[2].size() == 4 && parties[0].size() <= 2)  // dd/mm/yyyy
    std::swap(parties[0], parties[2]);
  while (parties.size() < 3) parties.emplace_back();
  if (parties.size() > 3) return "????.??.??";
  for (std::size_t i = 1; i < 3; ++i)
    if (parties[i].size() == 1 && std::isdigit(static_cast<unsigned char>(parties[i][0]))) parties[i].insert(0, "0");
  return partie_date(parties[0], 4) + "." + partie_date(parties[1], 2) + "." + partie_date(parties[2], 2);
}

std::vector<std::pair<std::string, std::string>> tags_du_texte(std::string_view texte, std::string_view* reste) {
  std::vector<std::pair<std::string, std::string>> tags;
  std::size_t i = 0;
  while (i < texte.size()) {
    std::size_t fin = texte.find('\n', i);
    if (fin == std::string_view::npos) fin = texte.size();
    std::string_view ligne = texte.substr(i, fin - i);
    while (!ligne.empty() && std::isspace(static_cast<unsigned char>(ligne.front()))) ligne.remove_prefix(1);
    while (!ligne.empty() && std::isspace(static_cast<unsigned char>(ligne.back()))) ligne.remove_suffix(1);
    if (!ligne.empty() && ligne.front() != '[') break;
    for (const TagBrut& t : tags_de_ligne(ligne)) tags.emplace_back(std::string(t.nom), t.valeur);
    i = fin + 1;
  }
  if (reste) *reste = i < texte.size() ? texte.substr(i) : std::string_view();
  return tags;
}

std::string fen_des_tags(const std::vector<std::pair<std::string, std::string>>& tags) {
  std::string fen, setup;
  for (const auto& [n, v] : tags) {
    if (meme_nom(n, "FEN") && fen.empty()) fen = v;
    if (meme_nom(n, "SetUp") && setup.empty()) setup = v;
  }
  return setup == "0" ? std::string() : fen;
}

std::string entete_export(const std::vector<std::pair<std::string, std::string>>& tags, const std::string& resultat) {
  auto valeur = [&](const char* nom) -> std::string {
    for (const auto& [n, v] : tags)
      if (meme_nom(n, nom)) return rogne_blancs(v);
    return {};
  };
  std::string e;
  for (const char* nom : ROSTER) {
    std::string v = valeur(nom);
    if (std::string_view(nom) == "Date")
      v = date_pgn(v);
    else if (std::string_view(nom) == "Result")
      v = est_resultat(resultat) ? resultat : "*";
    else if (v.empty())
      v = "?";
    e += ligne_tag(nom, QString::fromStdString(v));
  }
  std::vector<std::string> vus;
  for (const auto& tag : tags) {
    // Named apart: a lambda cannot take a structured binding in every compiler the fuzz build uses.
    const auto& n = tag.first;
    const auto& v = tag.second;
    const bool du_roster = std::any_of(std::begin(ROSTER), std::end(ROSTER), [&](const char* r) { return meme_nom(n, r); });
    if (du_roster || !nom_valide(n) || std::find(vus.begin(), vus.end(), n) != vus.end()) continue;
    vus.push_back(n);
    e += ligne_tag(n, QString::fromStdString(v));
  }
  return e + "\r\n";
}

std::string movetext_export(const MovetextLu& m, const std::string& fen, const std::string& resultat,
                            bool commentaires, bool une_ligne) {
  PositionGardee garde;
  couleur_joueur = BLANC;
  style_notation = 2;
  for (int& r : roque_interdit) r = 0;
  passant_blanc = passant_noir = 0;
  nb_demi_coups = 0;
  bool position = true;
  if (!fen.empty()) {
    const std::optional<PositionFen> p = lit_fen(fen, BLANC);
    if (p)
      applique_position_fen(*p);
    else
      position = false;
  } else {
    place_debut_partie();
  }
  if (!position) {
    // The moves cannot be replayed: as read, numbered as written.
    dernier_trait = m.noir_d_abord ? BLANC : NOIR;
    numero_coup = (m.premier_numero > 0 ? m.premier_numero : 1) - (m.noir_d_abord ? 0 : 1);
  }

  std::vector<std::string> jetons;
  auto commentaire = [&](std::size_t k) {
    if (commentaires && k < m.commentaires.size() && !m.commentaires[k].empty()) {
      ajoute_commentaire(jetons, m.commentaires[k]);
      return true;
    }
    return false;
  };
  commentaire(0);
  bool numero_noir = true;  // the first Black move carries its number
  bool jouable = position;
  for (std::size_t k = 0; k < m.coups.size(); ++k) {
    const int couleur = dernier_trait == BLANC ? NOIR : BLANC;
    std::string coup;
    int cs = 0, ls = 0, cd = 0, ld = 0, promotion = 0;
    if (couleur == BLANC) ++numero_coup;
    if (jouable && ressemble_a_un_coup(m.coups[k]) && lit_coup_legal(couleur, m.coups[k], cs, ls, cd, ld, promotion)) {
      coup = san(joue_coup(cs, ls, cd, ld, promotion).texte_court);
      const int adverse = couleur_adverse(couleur);
      if (echecs_au_roi(adverse) > 0) coup += a_un_coup_legal(adverse) ? "+" : "#";
    } else {
      // From here on the moves stand as written; the sides still alternate.
      jouable = false;
      coup = m.coups[k];
      dernier_trait = couleur;
    }
    if (couleur == BLANC)
      jetons.push_back(std::to_string(numero_coup) + "." + coup);
    else
      jetons.push_back(numero_noir ? std::to_string(numero_coup) + "..." + coup : coup);
    numero_noir = commentaire(k + 1);
  }
  // Comments beyond the last move stay with the game.
  for (std::size_t k = m.coups.size() + 1; k < m.commentaires.size(); ++k) commentaire(k);
  jetons.push_back(est_resultat(resultat) ? resultat : "*");
  return joint_lignes(jetons, une_ligne);
}

std::string partie_export(std::string_view texte, const std::string& resultat) {
  std::string_view reste;
  const auto tags = tags_du_texte(texte, &reste);
  const MovetextLu m = lit_movetext(reste);
  return entete_export(tags, resultat) + movetext_export(m, fen_des_tags(tags), resultat, true) + "\r\n\r\n";
}

std::string movetext_sur_une_ligne(std::string_view s, bool garde_lignes) {
  auto blanc = [garde_lignes](char c) { return !garde_lignes && (c == '\r' || c == '\n') ? ' ' : c; };
  std::string sortie;
  std::size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '{') {
      std::size_t fin = s.find('}', i + 1);
      fin = fin == std::string_view::npos ? s.size() : fin + 1;
      for (std::size_t k = i; k < fin; ++k) sortie.push_back(blanc(s[k]));
      i = fin;
    } else if (c == ';') {
      std::size_t fin = s.find_first_of("\r\n", i + 1);
      if (fin == std::string_view::npos) fin = s.size();
      std::string texte(s.substr(i + 1, fin - i - 1));
      std::replace(texte.begin(), texte.end(), '}', ')');
      sortie += "{" + rogne_blancs(texte) + "}";
      i = fin;
    } else {
      sortie.push_back(blanc(c));
      ++i;
    }
  }
  return sortie;
}

}  // namespace pgn
