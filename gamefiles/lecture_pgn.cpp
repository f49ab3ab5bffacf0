#include "gamefiles/lecture_pgn.h"

#include <QDir>
#include <algorithm>
#include <cstring>

#include "platform/fichiers_texte.h"
#include "platform/langue_messages.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pgn {

namespace {

constexpr std::size_t TAILLE_BLOC = FichierPgn::TAILLE_BLOC;

// A small file gets a buffer its own size (rounded up), a large one a block:
// opening a short file then costs no megabyte.
std::size_t taille_tampon(std::int64_t taille_fichier) {
  std::size_t t = 4096;
  while (t < TAILLE_BLOC && static_cast<std::int64_t>(t) <= taille_fichier) t *= 2;
  return t;
}

bool blanc(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

// What each byte is to the reader, looked up once a byte.
enum : unsigned char {
  NOM_TAG = 1,  // may stand in a tag name: letters, digits, _ - + # =
};
struct Classes {
  unsigned char t[256] = {};
  constexpr Classes() {
    for (int c = 'a'; c <= 'z'; ++c) t[c] |= NOM_TAG;
    for (int c = 'A'; c <= 'Z'; ++c) t[c] |= NOM_TAG;
    for (int c = '0'; c <= '9'; ++c) t[c] |= NOM_TAG;
    for (unsigned char c : {'_', '-', '+', '#', '='}) t[c] |= NOM_TAG;
  }
};
constexpr Classes CLASSES;
inline bool est(char c, unsigned char classe) { return CLASSES.t[static_cast<unsigned char>(c)] & classe; }

// The tags of a trimmed line, each handed to `f(nom, valeur, echappee)` as
// views into the line: the value as written between its quotes, `echappee`
// when it holds \" or \\ still to be undone. A malformed tag ends the line.
template <class F>
void parcourt_tags(std::string_view l, F&& f) {
  std::size_t i = 0;
  const std::size_t n = l.size();
  auto saute_blancs = [&] {
    while (i < n && blanc(l[i])) ++i;
  };
  while (true) {
    saute_blancs();
    if (i >= n || l[i] != '[') return;
    ++i;
    saute_blancs();
    const std::size_t debut_nom = i;
    while (i < n && est(l[i], NOM_TAG)) ++i;
    if (i == debut_nom) return;
    const std::string_view nom = l.substr(debut_nom, i - debut_nom);
    saute_blancs();
    if (i >= n || l[i] != '"') return;  // "[Result ]", "[Result]"
    ++i;
    const std::size_t debut_valeur = i;
    bool echappee = false, ferme = false;
    // Most values hold no backslash: their closing quote is the first one.
    if (const void* q = std::memchr(l.data() + i, '"', n - i)) {
      const std::size_t guillemet = static_cast<std::size_t>(static_cast<const char*>(q) - l.data());
      if (!std::memchr(l.data() + i, '\\', guillemet - i)) {
        i = guillemet;
        ferme = true;
      }
    } else {
      return;  // no closing quote: the tag is left out
    }
    while (!ferme && i < n) {
      while (i < n && l[i] != '"' && l[i] != '\\') ++i;
      if (i >= n) break;
      if (l[i] == '"') {
        ferme = true;
        break;
      }
      if (i + 1 < n && (l[i + 1] == '"' || l[i + 1] == '\\')) {
        echappee = true;
        i += 2;
      } else {
        ++i;
      }
    }
    if (!ferme) return;  // no closing quote: the tag is left out
    const std::string_view valeur = l.substr(debut_valeur, i - debut_valeur);
    ++i;
    saute_blancs();
    if (i >= n || l[i] != ']') return;
    ++i;
    f(nom, valeur, echappee);
  }
}

// A value as written, its \" and \\ undone.
std::string sans_echappements(std::string_view v) {
  std::string r;
  r.reserve(v.size());
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] == '\\' && i + 1 < v.size() && (v[i + 1] == '"' || v[i + 1] == '\\')) ++i;
    r.push_back(v[i]);
  }
  return r;
}

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

// `octets` decoded as decode() does, into `texte` whose buffer is used again.
// ASCII, and Windows-1252 whose bytes above 0x7F are all 0xC0 or more (it
// cannot be UTF-8, that needs bytes 0x80 to 0xBF, and those bytes stand for
// the same characters in Latin-1), are widened byte for byte.
void decode_dans(QString& texte, std::string_view octets) {
  const auto* o = reinterpret_cast<const unsigned char*>(octets.data());
  const std::size_t n = octets.size();
  for (std::size_t i = 0; i < n; ++i)
    if (o[i] >= 0x80 && o[i] < 0xC0) {
      texte = decode(octets);
      return;
    }
  texte.resize(static_cast<qsizetype>(n));
  char16_t* d = reinterpret_cast<char16_t*>(texte.data());
  for (std::size_t i = 0; i < n; ++i) d[i] = o[i];
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
void parcourt_ligne_coups_lente(std::string_view l, EtatCoups& e);

bool separe_jetons(char c) {
  return blanc(c) || c == '{' || c == '(' || c == ')' || c == ';' || c == '\n' || c == '\r';
}

// The first byte from `i` on that is one of `C...`, `n` when none: sixteen
// bytes at a time where the processor can.
template <char... C>
inline std::size_t cherche(const char* d, std::size_t i, std::size_t n) {
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    const __m128i m = (_mm_cmpeq_epi8(x, _mm_set1_epi8(C)) | ...);
    if (const int bits = _mm_movemask_epi8(m)) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(bits)));
  }
#endif
  while (i < n && ((d[i] != C) && ...)) ++i;
  return i;
}

// The first byte from `i` on that may start or hold a comment, a variation,
// a ";" or a result ({ ( ) ; - / *), `n` when none.
inline std::size_t saute_ordinaires(const char* d, std::size_t i, std::size_t n) {
  return cherche<'{', '(', ')', ';', '-', '/', '*'>(d, i, n);
}

// Whether the token `t` of the main line is a result, its move number
// ("12.1-0") left aside as a move's is.
bool jeton_resultat(std::string_view t) {
  std::size_t k = 0;
  while (k < t.size() && t[k] >= '0' && t[k] <= '9') ++k;
  if (k > 0 && k < t.size() && t[k] == '.') {
    while (k < t.size() && t[k] == '.') ++k;
    t.remove_prefix(k);
  }
  return est_resultat(t);
}

// One byte of `d` that may start or hold a comment, a variation or a result
// ({ ( ) - / *, not ";"), at `i`: the state moves on, `i` past it (past the
// token holding it for - / *), `borne` where a token may begin next. Sets
// `fini` on a result of the main line.
inline void pas_de_coups(const char* d, std::size_t& i, std::size_t n, std::size_t& borne, EtatCoups& e) {
  const char c = d[i];
  if (c == '{') {
    e.dans_commentaire = true;
    borne = ++i;
  } else if (c == '(') {
    ++e.variation;
    borne = ++i;
  } else if (c == ')') {
    if (e.variation > 0) --e.variation;
    borne = ++i;
  } else {
    // "-", "/" or "*" inside a token: the whole token is looked at.
    std::size_t debut = i, fin = i;
    while (debut > borne && !separe_jetons(d[debut - 1])) --debut;
    while (fin < n && !separe_jetons(d[fin])) ++fin;
    if (e.variation == 0 && jeton_resultat(std::string_view(d + debut, fin - debut))) e.fini = true;
    i = fin;
  }
}

// The same walk once a move has been seen: only comments, variations, ";"
// and results matter then, so it jumps from one byte that may start or hold
// them to the next and looks at a token only when it holds "-", "/" or "*".
void parcourt_ligne_coups(std::string_view l, EtatCoups& e) {
  if (!e.coup_vu) {
    parcourt_ligne_coups_lente(l, e);
    return;
  }
  const char* d = l.data();
  const std::size_t n = l.size();
  std::size_t i = 0;
  std::size_t borne = 0;  // where the walk took up again: no token begins before it
  while (i < n) {
    if (e.dans_commentaire) {
      const void* p = std::memchr(d + i, '}', n - i);
      if (!p) return;
      i = static_cast<std::size_t>(static_cast<const char*>(p) - d) + 1;
      e.dans_commentaire = false;
      borne = i;
      continue;
    }
    i = saute_ordinaires(d, i, n);
    if (i >= n || d[i] == ';') return;
    pas_de_coups(d, i, n, borne, e);
    if (e.fini) return;
  }
}

void parcourt_ligne_coups_lente(std::string_view l, EtatCoups& e) {
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
        if (est_resultat(t)) {
          e.fini = true;
        } else if (!e.coup_vu && pourrait_etre_un_coup(t)) {
          e.coup_vu = true;
          // The rest of the line the quick way.
          parcourt_ligne_coups(l.substr(j), e);
          return;
        }
      }
      i = j;
    }
  }
}

// The byte after the line end at `i` (LF, CR or CRLF).
inline std::size_t apres_fin_de_ligne(const char* d, std::size_t i, std::size_t n) {
  return (d[i] == '\r' && i + 1 < n && d[i + 1] == '\n') ? i + 2 : i + 1;
}

// The rest of a movetext that is only looked through, once a move has been
// seen: straight over the file's bytes, lines and all, as the line by line
// walk above reads them. It stops after the line whose result ends the game
// (`fini`), before a line that begins with "[" (the next game's tags, left
// to be read), or at the end of the file.
void saute_coups(FichierPgn& f, EtatCoups& e) {
  for (std::string_view v = f.lignes_entieres(); !v.empty(); v = f.lignes_entieres()) {
    const char* d = v.data();
    const std::size_t n = v.size();
    std::size_t i = 0;
    while (i < n) {
      // A line begins at i.
      const std::size_t ligne = i;
      if (d[i] == '%') {  // escape line
        i = cherche<'\n', '\r'>(d, i, n);
        if (i < n) i = apres_fin_de_ligne(d, i, n);
        continue;
      }
      while (i < n && blanc(d[i])) ++i;
      if (i < n && d[i] == '[') {
        f.avance(ligne);
        return;
      }
      std::size_t borne = i;  // no token begins before it
      while (true) {
        if (e.dans_commentaire) {
          i = cherche<'}', '\n', '\r'>(d, i, n);
          if (i >= n || d[i] != '}') break;
          e.dans_commentaire = false;
          borne = ++i;
          continue;
        }
        i = cherche<'{', '(', ')', ';', '-', '/', '*', '\n', '\r'>(d, i, n);
        if (i >= n) break;
        const char c = d[i];
        if (c == '\n' || c == '\r') break;
        if (c == ';') {
          i = cherche<'\n', '\r'>(d, i, n);
          break;
        }
        pas_de_coups(d, i, n, borne, e);
        if (e.fini) {
          i = cherche<'\n', '\r'>(d, i, n);
          break;
        }
      }
      // The line ends at i (or the bytes do, at the end of the file).
      if (i < n) i = apres_fin_de_ligne(d, i, n);
      if (e.fini) {
        f.avance(i);
        return;
      }
    }
    f.avance(n);
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
  parcourt_tags(l, [&](std::string_view nom, std::string_view valeur, bool echappee) {
    tags.push_back({nom, echappee ? sans_echappements(valeur) : std::string(valeur)});
  });
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
  fin_lignes_ = INCONNUE;
  if (fichier_.isSequential()) {
    // A pipe cannot go back: its first block is read now.
    remplit();
    if (fin_ >= 3 && static_cast<unsigned char>(tampon_[0]) == 0xEF &&
        static_cast<unsigned char>(tampon_[1]) == 0xBB && static_cast<unsigned char>(tampon_[2]) == 0xBF)
      debut_ = debut_texte_ = 3;
    return true;
  }
  // Only the first three bytes, for a byte-order mark: a game read from its
  // offset then costs no block read at the start of the file.
  unsigned char tete[3] = {};
  if (fichier_.read(reinterpret_cast<char*>(tete), 3) == 3 && tete[0] == 0xEF && tete[1] == 0xBB && tete[2] == 0xBF)
    debut_texte_ = 3;
  if (!fichier_.seek(debut_texte_)) {
    if (erreur) *erreur = fichier_.errorString();
    ferme();
    return false;
  }
  base_ = debut_texte_;
  return true;
}

void FichierPgn::ferme() {
  if (fichier_.isOpen()) fichier_.close();
  tampon_.clear();
  tampon_.shrink_to_fit();
  debut_ = fin_ = 0;
  base_ = 0;
  fin_lignes_ = INCONNUE;
}

bool FichierPgn::remplit() {
  if (fin_fichier_) return false;
  fin_lignes_ = INCONNUE;  // the bytes move, and more come
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

std::size_t FichierPgn::fin_de_ligne(std::size_t k) { return cherche<'\n', '\r'>(tampon_.data(), k, fin_); }

std::string_view FichierPgn::lignes_entieres() {
  if (tampon_.empty()) return {};
  while (true) {
    if (fin_fichier_) return std::string_view(tampon_.data() + debut_, fin_ - debut_);
    if (fin_lignes_ == INCONNUE && fin_ >= 2) {
      // The last line end before the last byte: a CR there may still get
      // its LF from the next read.
      const char* d = tampon_.data();
      std::size_t p = fin_ - 1;
      while (p > debut_ && d[p - 1] != '\n' && d[p - 1] != '\r') --p;
      if (p > debut_) fin_lignes_ = (d[p - 1] == '\r' && d[p] == '\n') ? p + 1 : p;
    }
    if (fin_lignes_ != INCONNUE && fin_lignes_ > debut_)
      return std::string_view(tampon_.data() + debut_, fin_lignes_ - debut_);
    remplit();
  }
}

void FichierPgn::avance(std::size_t n) { debut_ += n; }

bool FichierPgn::ligne_suivante(std::string_view& ligne, std::int64_t& debut) {
  if (tampon_.empty()) return false;  // not open: ouvre() gives the buffer, ferme() takes it back
  std::size_t cherche = debut_;
  while (true) {
    const char* d = tampon_.data();
    const std::size_t k = fin_de_ligne(cherche);
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
  fin_lignes_ = INCONNUE;
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
    valeurs[i].resize(0);  // the buffer serves the next game
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
      parcourt_tags(l, [&](std::string_view nom, std::string_view ecrite, bool echappee) {
        ++p.nb_tags;
        const int k = tag_connu(nom);
        if (k < 0 && !coups) return;
        // Only a value with escapes gets a text of its own before decoding.
        std::string sans;
        if (echappee) sans = sans_echappements(ecrite);
        const std::string_view valeur = echappee ? std::string_view(sans) : ecrite;
        if (k >= 0 && !p.presents[k]) {
          p.presents[k] = true;
          decode_dans(p.valeurs[k], valeur);
        }
        if (coups) p.tags.emplace_back(std::string(nom), en_utf8(valeur));
      });
      if (coups) p.lignes_tags.push_back(en_utf8(l));
      continue;
    }
    // Movetext.
    if (l.empty()) continue;
    parcourt_ligne_coups(l, ec);
    if (coups) {
      if (!p.movetext.empty()) p.movetext.push_back('\n');
      p.movetext += en_utf8(l);
    } else if (ec.coup_vu && !ec.fini && !attente_) {
      saute_coups(f_, ec);
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
