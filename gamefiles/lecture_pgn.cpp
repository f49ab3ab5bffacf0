#include "gamefiles/lecture_pgn.h"

#include <QDir>
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/fichiers_texte.h"
#include "platform/langue_messages.h"

namespace pgn {

namespace {

constexpr std::size_t TAILLE_BLOC = 1 << 20;

// A small file gets a buffer its own size (rounded up), a large one a block:
// opening a short file then costs no megabyte.
std::size_t taille_tampon(std::int64_t taille_fichier) {
  std::size_t t = 4096;
  while (t < TAILLE_BLOC && static_cast<std::int64_t>(t) <= taille_fichier) t *= 2;
  return t;
}

bool blanc(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

std::string_view rogne(std::string_view s) {
  while (!s.empty() && blanc(s.front())) s.remove_prefix(1);
  while (!s.empty() && blanc(s.back())) s.remove_suffix(1);
  return s;
}

bool ascii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

char minuscule(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool meme_nom(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (minuscule(a[i]) != minuscule(b[i])) return false;
  return true;
}

const char* const NOMS[NB_TAGS_CONNUS] = {"Event", "Site", "Date", "Round", "White", "Black", "Result", "ECO"};

int tag_connu(std::string_view nom) {
  // A quick look at the length and first letter before the comparisons.
  switch (nom.size()) {
    case 3: return meme_nom(nom, "ECO") ? ECO : -1;
    case 4: return meme_nom(nom, "Site") ? SITE : meme_nom(nom, "Date") ? DATE : -1;
    case 5:
      if (meme_nom(nom, "Event")) return EVENT;
      if (meme_nom(nom, "Round")) return ROUND;
      if (meme_nom(nom, "White")) return WHITE;
      if (meme_nom(nom, "Black")) return BLACK;
      return -1;
    case 6: return meme_nom(nom, "Result") ? RESULT : -1;
    default: return -1;
  }
}

std::string en_utf8(std::string_view octets) {
  if (ascii(octets)) return std::string(octets);
  return decode(octets).toStdString();
}

// A token that may be a move (so that stray words between games make no
// game): castling, a null move, or a piece letter or file followed by a row.
bool pourrait_etre_un_coup(std::string_view t) {
  if (t.starts_with("O-O") || t.starts_with("0-0") || t == "--") return true;
  if (t.empty() || std::string_view("KQRBNPabcdefgh").find(t[0]) == std::string_view::npos) return false;
  return t.find_first_of("12345678") != std::string_view::npos;
}

// Where a movetext stands between lines.
struct EtatCoups {
  bool dans_commentaire = false;
  int variation = 0;
  bool coup_vu = false;
  bool fini = false;  // a result token ended the game
};

// Reads one movetext line for the end of the game: comments, variations,
// ";" to the end of the line, tokens. Sets `fini` on a result token of the
// main line.
void parcourt_ligne_coups(std::string_view l, EtatCoups& e) {
  std::size_t i = 0;
  const std::size_t n = l.size();
  while (i < n && !e.fini) {
    if (e.dans_commentaire) {
      const void* p = std::memchr(l.data() + i, '}', n - i);
      if (!p) return;
      i = static_cast<std::size_t>(static_cast<const char*>(p) - l.data()) + 1;
      e.dans_commentaire = false;
      continue;
    }
    const char c = l[i];
    if (c == '{') {
      e.dans_commentaire = true;
      ++i;
    } else if (c == ';') {
      return;
    } else if (c == '(') {
      ++e.variation;
      ++i;
    } else if (c == ')') {
      if (e.variation > 0) --e.variation;
      ++i;
    } else if (blanc(c)) {
      ++i;
    } else {
      std::size_t j = i;
      while (j < n && !blanc(l[j]) && l[j] != '{' && l[j] != '(' && l[j] != ')' && l[j] != ';') ++j;
      if (e.variation == 0) {
        std::string_view t = l.substr(i, j - i);
        // A move number may be joined to its move ("12.e4", "12...e5").
        std::size_t k = 0;
        while (k < t.size() && t[k] >= '0' && t[k] <= '9') ++k;
        if (k > 0 && k < t.size() && t[k] == '.') {
          while (k < t.size() && t[k] == '.') ++k;
          t.remove_prefix(k);
        }
        if (est_resultat(t))
          e.fini = true;
        else if (!e.coup_vu && pourrait_etre_un_coup(t))
          e.coup_vu = true;
      }
      i = j;
    }
  }
}

}  // namespace

bool est_resultat(std::string_view t) { return t == "1-0" || t == "0-1" || t == "1/2-1/2" || t == "*"; }

// --- Text ---------------------------------------------------------------------

QString decode(std::string_view octets) {
  if (ascii(octets)) return QString::fromLatin1(octets.data(), static_cast<qsizetype>(octets.size()));
  return plateforme::decode_texte(QByteArray(octets.data(), static_cast<qsizetype>(octets.size())));
}

const char* nom_tag(int tag) { return tag >= 0 && tag < NB_TAGS_CONNUS ? NOMS[tag] : ""; }

std::vector<TagBrut> tags_de_ligne(std::string_view l) {
  std::vector<TagBrut> tags;
  std::size_t i = 0;
  const std::size_t n = l.size();
  auto saute_blancs = [&] {
    while (i < n && blanc(l[i])) ++i;
  };
  while (true) {
    saute_blancs();
    if (i >= n || l[i] != '[') break;
    ++i;
    saute_blancs();
    const std::size_t debut_nom = i;
    while (i < n && (std::isalnum(static_cast<unsigned char>(l[i])) || l[i] == '_' || l[i] == '-' || l[i] == '+' ||
                     l[i] == '#' || l[i] == '='))
      ++i;
    if (i == debut_nom) break;
    const std::string_view nom = l.substr(debut_nom, i - debut_nom);
    saute_blancs();
    if (i >= n || l[i] != '"') break;  // "[Result ]", "[Result]"
    ++i;
    std::string valeur;
    bool ferme = false;
    while (i < n) {
      const char c = l[i];
      if (c == '\\' && i + 1 < n && (l[i + 1] == '"' || l[i + 1] == '\\')) {
        valeur.push_back(l[i + 1]);
        i += 2;
      } else if (c == '"') {
        ferme = true;
        ++i;
        break;
      } else {
        valeur.push_back(c);
        ++i;
      }
    }
    if (!ferme) break;  // no closing quote: the tag is left out
    saute_blancs();
    if (i >= n || l[i] != ']') break;
    ++i;
    tags.push_back({nom, std::move(valeur)});
  }
  return tags;
}

// --- The file -----------------------------------------------------------------------

bool FichierPgn::ouvre(const QString& chemin, QString* erreur) {
  ferme();
  fichier_.setFileName(chemin);
  if (!fichier_.open(QIODevice::ReadOnly)) {
    if (erreur)
      *erreur = plateforme::texte_message(808).arg(QDir::toNativeSeparators(chemin), fichier_.errorString());
    return false;
  }
  taille_ = fichier_.size();
  tampon_.resize(taille_tampon(taille_));
  debut_ = fin_ = 0;
  base_ = 0;
  fin_fichier_ = false;
  debut_texte_ = 0;
  remplit();
  if (fin_ >= 3 && static_cast<unsigned char>(tampon_[0]) == 0xEF && static_cast<unsigned char>(tampon_[1]) == 0xBB &&
      static_cast<unsigned char>(tampon_[2]) == 0xBF) {
    debut_ = 3;
    debut_texte_ = 3;
  }
  return true;
}

void FichierPgn::ferme() {
  if (fichier_.isOpen()) fichier_.close();
  tampon_.clear();
  tampon_.shrink_to_fit();
  debut_ = fin_ = 0;
  base_ = 0;
}

bool FichierPgn::remplit() {
  if (fin_fichier_) return false;
  // Unread bytes go to the front.
  if (debut_ > 0) {
    std::memmove(tampon_.data(), tampon_.data() + debut_, fin_ - debut_);
    base_ += static_cast<std::int64_t>(debut_);
    fin_ -= debut_;
    debut_ = 0;
  }
  if (fin_ == tampon_.size()) tampon_.resize(tampon_.size() * 2);  // a line longer than the block
  const qint64 lu = fichier_.read(tampon_.data() + fin_, static_cast<qint64>(tampon_.size() - fin_));
  if (lu <= 0) {
    fin_fichier_ = true;
    return false;
  }
  fin_ += static_cast<std::size_t>(lu);
  return true;
}

bool FichierPgn::ligne_suivante(std::string_view& ligne, std::int64_t& debut) {
  if (!fichier_.isOpen()) return false;
  std::size_t cherche = debut_;
  while (true) {
    const char* d = tampon_.data();
    std::size_t k = cherche;
    while (k < fin_ && d[k] != '\n' && d[k] != '\r') ++k;
    if (k < fin_ && (d[k] == '\n' || k + 1 < fin_ || fin_fichier_)) {
      // A CR needs the byte after it to tell CR from CRLF.
      debut = base_ + static_cast<std::int64_t>(debut_);
      ligne = std::string_view(d + debut_, k - debut_);
      std::size_t suite = k + 1;
      if (d[k] == '\r' && suite < fin_ && d[suite] == '\n') ++suite;
      debut_ = suite;
      return true;
    }
    if (fin_fichier_) {
      if (debut_ >= fin_) return false;
      debut = base_ + static_cast<std::int64_t>(debut_);
      ligne = std::string_view(d + debut_, fin_ - debut_);
      debut_ = fin_;
      return true;
    }
    const std::size_t deja = k - debut_;
    remplit();
    cherche = debut_ + deja;
    if (fin_fichier_ && cherche >= fin_ && debut_ >= fin_) return false;
  }
}

bool FichierPgn::positionne(std::int64_t offset) {
  if (!fichier_.isOpen() || offset < 0 || offset > taille_) return false;
  bool debut_de_ligne = offset <= debut_texte_;
  if (!debut_de_ligne) {
    char avant = 0;
    if (!fichier_.seek(offset - 1) || fichier_.read(&avant, 1) != 1) return false;
    debut_de_ligne = avant == '\n' || avant == '\r';
  }
  if (offset < debut_texte_) offset = debut_texte_;
  if (!fichier_.seek(offset)) return false;
  base_ = offset;
  debut_ = fin_ = 0;
  fin_fichier_ = false;
  if (tampon_.empty()) tampon_.resize(taille_tampon(taille_));
  remplit();
  return debut_de_ligne;
}

// --- Games ------------------------------------------------------------------------

std::string PartieLue::valeur_tag(std::string_view nom) const {
  for (const auto& [n, v] : tags)
    if (meme_nom(n, nom)) return v;
  return {};
}

void PartieLue::vide() {
  debut = -1;
  for (int i = 0; i < NB_TAGS_CONNUS; ++i) {
    valeurs[i].clear();
    presents[i] = false;
  }
  nb_tags = 0;
  lignes_tags.clear();
  tags.clear();
  movetext.clear();
}

bool LecteurPgn::ligne(std::string_view& l, std::int64_t& debut) {
  if (attente_) {
    attente_ = false;
    l = en_attente_;
    debut = debut_attente_;
    return true;
  }
  return f_.ligne_suivante(l, debut);
}

void LecteurPgn::oublie() { attente_ = false; }

bool LecteurPgn::partie_suivante(PartieLue& p, bool coups) {
  p.vide();
  enum { HORS, TAGS, COUPS } etat = HORS;
  EtatCoups ec;
  std::string_view brute;
  std::int64_t debut = 0;
  auto termine = [&] { return p.nb_tags > 0 || ec.coup_vu; };
  while (ligne(brute, debut)) {
    if (!brute.empty() && brute[0] == '%') continue;  // escape line
    const std::string_view l = rogne(brute);
    if (etat == HORS) {
      if (l.empty()) continue;
      p.debut = debut;
      etat = l[0] == '[' ? TAGS : COUPS;
    } else if (etat == TAGS) {
      if (l.empty()) {
        etat = COUPS;
        continue;
      }
      if (l[0] != '[') etat = COUPS;
    } else if (!l.empty() && l[0] == '[') {
      // The next game's tags end this movetext.
      en_attente_.assign(brute);
      debut_attente_ = debut;
      attente_ = true;
      if (termine()) return true;
      p.vide();
      etat = HORS;
      ec = EtatCoups{};
      continue;
    }

    if (etat == TAGS) {
      for (TagBrut& t : tags_de_ligne(l)) {
        ++p.nb_tags;
        const int k = tag_connu(t.nom);
        if (k >= 0 && !p.presents[k]) {
          p.presents[k] = true;
          p.valeurs[k] = decode(t.valeur);
        }
        if (coups) p.tags.emplace_back(std::string(t.nom), en_utf8(t.valeur));
      }
      if (coups) p.lignes_tags.push_back(en_utf8(l));
      continue;
    }
    // Movetext.
    if (l.empty()) continue;
    parcourt_ligne_coups(l, ec);
    if (coups) {
      if (!p.movetext.empty()) p.movetext.push_back('\n');
      p.movetext += en_utf8(l);
    }
    if (ec.fini) {
      if (termine()) return true;
      // Neither a tag nor a move: not a game.
      p.vide();
      etat = HORS;
      ec = EtatCoups{};
    }
  }
  if (etat != HORS && termine()) return true;
  return false;
}

std::string valeur_tag_pgn(std::string_view tag, std::string_view texte) {
  if (!tag.empty() && tag.front() == '[') tag.remove_prefix(1);
  std::size_t debut = 0;
  while (debut < texte.size()) {
    std::size_t fin = texte.find_first_of("\r\n", debut);
    if (fin == std::string_view::npos) fin = texte.size();
    for (const TagBrut& t : tags_de_ligne(rogne(texte.substr(debut, fin - debut))))
      if (t.nom == tag) return t.valeur;
    debut = fin + 1;
  }
  return {};
}

}  // namespace pgn
