#include "network/protocole.h"

#include <QByteArrayView>
#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "chess/etat.h"
#include "platform/fichiers_texte.h"
#include "play/parametres.h"

namespace reseau {

namespace {

constexpr char VERBES[] = "?@-#>/!";
// The verbs of the messages sent once a game runs.
constexpr char VERBES_PARTIE[] = "#>/!";
// Characters that never stand inside a move text: where a bad move ends.
constexpr char APRES_COUP[] = "#>/@";

bool est_verbe(char c) { return c != '\0' && std::strchr(VERBES, c) != nullptr; }
bool chiffre_case(char c) { return c >= '1' && c <= '8'; }

// A long move text as the move list writes it: an optional move number, then
// a piece letter (none for a pawn or without letters), the two squares joined
// by "-" or "x", "e.p.", "=" and the promotion letter; or castling; then the
// check marks (one per checking piece) and one judgement mark. Every part is
// bounded, so a move text is never longer than LONGUEUR_COUP_MAX.
const QRegularExpression& grammaire_coup() {
  static const QRegularExpression re(QStringLiteral(
      "(?:[0-9]{1,6}\\.)?(?:[A-Z]?[a-h][1-8][-x][a-h][1-8](?:e\\.p\\.)?(?:=[A-Za-z])?|O-O(?:-O)?)\\+{0,2}[!?]?"));
  return re;
}
// A short move text: the piece letter, what tells two pieces apart, the
// capture sign, the square reached. Read only where no long text can stand.
const QRegularExpression& grammaire_courte() {
  static const QRegularExpression re(QStringLiteral(
      "(?:[0-9]{1,6}\\.)?[A-Z]?[a-h]?[1-8]?x?[a-h][1-8](?:e\\.p\\.)?(?:=[A-Za-z])?\\+{0,2}[!?]?"));
  return re;
}
constexpr int LONGUEUR_COUP_MAX = 32;

enum class Lecture {
  COMPLET,   // a whole move text that no further byte can lengthen
  EXTENSIBLE,// a whole move text, which further bytes may still lengthen
  PARTIEL,   // the start of a move text
  AUCUN,     // no move text
};

Lecture lit_selon(const QRegularExpression& re, const QString& s, int& longueur) {
  const QRegularExpressionMatch m =
      re.match(s, 0, QRegularExpression::PartialPreferCompleteMatch, QRegularExpression::AnchorAtOffsetMatchOption);
  if (!m.hasMatch()) return m.hasPartialMatch() ? Lecture::PARTIEL : Lecture::AUCUN;
  longueur = static_cast<int>(m.capturedLength());
  // The same match reported as soon as it runs into the end of the bytes:
  // then a "+", a mark or the promotion may still come.
  const QRegularExpressionMatch h =
      re.match(s, 0, QRegularExpression::PartialPreferFirstMatch, QRegularExpression::AnchorAtOffsetMatchOption);
  return h.hasPartialMatch() ? Lecture::EXTENSIBLE : Lecture::COMPLET;
}

// The move text at `debut` of `octets`, and its length when whole. The start
// of a long text ("e2", "Cg1") is no short one yet: more of it may come.
Lecture lit_texte_coup(const QByteArray& octets, int debut, int& longueur) {
  if (debut >= octets.size()) return Lecture::PARTIEL;
  // A move text is short: what stands further on cannot belong to it.
  const QString s = QString::fromLatin1(octets.mid(debut, LONGUEUR_COUP_MAX));
  const Lecture l = lit_selon(grammaire_coup(), s, longueur);
  return l == Lecture::AUCUN ? lit_selon(grammaire_courte(), s, longueur) : l;
}

// The bytes from `debut` to the end may still become a well-formed move
// message: "#", up to four digits 1..8, the start of a move text.
bool debut_de_coup(const QByteArray& o, int debut) {
  const int n = static_cast<int>(o.size());
  if (debut >= n || o[debut] != '#') return false;
  for (int i = debut + 1; i < std::min(n, debut + 5); ++i)
    if (!chiffre_case(o[i])) return false;
  int l = 0;
  return n <= debut + 5 || lit_texte_coup(o, debut + 5, l) == Lecture::PARTIEL;
}

// True when a whole well-formed move message stands at `debut`.
bool coup_complet_a(const QByteArray& o, int debut) {
  if (debut + 5 > o.size() || o[debut] != '#') return false;
  for (int i = 1; i <= 4; ++i)
    if (!chiffre_case(o[debut + i])) return false;
  int n = 0;
  const Lecture l = lit_texte_coup(o, debut + 5, n);
  return l == Lecture::COMPLET || l == Lecture::EXTENSIBLE;
}

// What begins each chat line of `pseudo`.
QString marque_chat(const QString& pseudo) { return QStringLiteral(">[") + pseudo + QStringLiteral("] "); }

// A nickname is at most LONGUEUR_PSEUDO_MAX characters, one byte each on the
// wire: the game request ("?"), its acceptance ("@", CR LF) and the marker of
// a chat line (">[", "] ") always fit the receiver's limit, and a chat message
// keeps most of it for its text.
constexpr int MARQUE_CHAT_MAX = 4 + LONGUEUR_PSEUDO_MAX;
static_assert(1 + LONGUEUR_PSEUDO_MAX + 2 < Decoupeur::TAILLE_MAX);
static_assert(MARQUE_CHAT_MAX <= Decoupeur::TAILLE_MAX / 2);

}  // namespace

// --- Composing -----------------------------------------------------------------------

QString message_demande(const QString& pseudo) { return QStringLiteral("?") + pseudo; }
QString message_acceptation(const QString& pseudo) { return QStringLiteral("@") + pseudo + QStringLiteral("\r\n"); }
QString message_refus() { return QStringLiteral("-"); }

QString message_coup(int col_s, int lig_s, int col_d, int lig_d, const QString& texte_coup) {
  for (int d : {col_s, lig_s, col_d, lig_d})
    if (d < 1 || d > 8) throw std::out_of_range("square outside the board in a move message");
  return QStringLiteral("#%1%2%3%4").arg(col_s).arg(lig_s).arg(col_d).arg(lig_d) + texte_coup.trimmed();
}

QString message_chat(const QString& pseudo, const QString& texte) { return marque_chat(pseudo) + texte.trimmed(); }

QStringList messages_chat(const QString& pseudo, const QString& texte) {
  // Past the longest nickname, no room is sure: nothing goes.
  if (pseudo.size() > LONGUEUR_PSEUDO_MAX) return {};
  const QString marque = marque_chat(pseudo);
  // The room a piece has on the wire.
  const qsizetype place = Decoupeur::TAILLE_MAX - vers_octets(marque).size();
  const QString t = texte.trimmed();
  QStringList messages;
  qsizetype debut = 0;
  do {
    qsizetype n = std::min(t.size() - debut, place);
    QString ecrit;
    for (;;) {
      // Never between the two halves of a character.
      if (n > 1 && debut + n < t.size() && t[debut + n].isLowSurrogate()) --n;
      // Each piece is written for itself, as the end of a message; what the
      // writing adds counts in its room, and shortens the piece as much
      // (never to nothing: every piece carries the line on).
      ecrit = texte_chat_sans_message(t.mid(debut, n), pseudo);
      const qsizetype trop = vers_octets(ecrit).size() - place;
      if (trop <= 0 || n == 1) break;
      n -= std::min(trop, n - 1);
    }
    messages << marque + ecrit;
    debut += n;
  } while (debut < t.size());
  return messages;
}

QString message_propose_nul() { return QStringLiteral("/"); }
QString message_nul_accepte() { return QStringLiteral("!A"); }
QString message_nul_refuse() { return QStringLiteral("!R"); }

QByteArray vers_octets(const QString& message) { return plateforme::encode_1252(message); }
QString depuis_octets(const QByteArray& octets) { return plateforme::decode_1252(octets); }

// --- Reading a move ------------------------------------------------------------------

bool lit_coup(const QString& message, CoupRecu& coup, QString* erreur) {
  auto refuse = [erreur](const char* raison) {
    if (erreur) *erreur = QString::fromLatin1(raison);
    return false;
  };
  if (!message.startsWith(QLatin1Char('#'))) return refuse("not a move message");
  if (message.size() < 6) return refuse("move message too short");
  int d[4];
  for (int i = 0; i < 4; ++i) {
    const QChar c = message[i + 1];
    if (c < QLatin1Char('1') || c > QLatin1Char('8')) return refuse("square outside 1..8 in a move message");
    d[i] = 9 - (c.unicode() - '0');
  }
  coup.col_s = d[0];
  coup.lig_s = d[1];
  coup.col_d = d[2];
  coup.lig_d = d[3];
  coup.texte = message.mid(5);
  const qsizetype egal = message.indexOf(QLatin1Char('='), 5);
  coup.promotion = egal >= 0 && egal + 1 < message.size() ? message[egal + 1] : QChar();
  return true;
}

int type_promotion(QChar lettre) {
  switch (lettre.unicode()) {
    case 'D': case 'Q': return TYPE_DAME;
    case 'C': case 'N': return TYPE_CAVALIER;
    case 'T': case 'R': return TYPE_TOUR;
    case 'F': case 'B': return TYPE_FOU;
    default: return 0;
  }
}

// --- Cutting the stream ----------------------------------------------------------------

bool Decoupeur::ajoute(const QByteArray& octets) {
  tampon_.append(octets);
  // Complete messages are taken out as they come: what stays is at most the
  // start of one message, which may not grow without end.
  decoupe(false);
  if (tampon_.size() > PLAFOND) {
    tampon_.clear();
    return false;
  }
  return true;
}

void Decoupeur::pseudo_adverse(const QString& pseudo) {
  QString p = pseudo;
  while (p.endsWith(QLatin1Char('\n')) || p.endsWith(QLatin1Char('\r'))) p.chop(1);
  marque_chat_ = vers_octets(marque_chat(p));
}

void Decoupeur::pion_deplace(std::function<bool(const CoupRecu&)> pion) { pion_ = std::move(pion); }

QStringList Decoupeur::rejets() {
  QStringList r;
  r.swap(rejets_);
  return r;
}

int Decoupeur::prochain_verbe(int debut, const char* verbes) const {
  for (int i = debut; i < tampon_.size(); ++i)
    if (std::strchr(verbes, tampon_[i]) != nullptr && tampon_[i] != '\0') return i;
  return static_cast<int>(tampon_.size());
}

int Decoupeur::fin_chat(int debut, bool& sure) const {
  const int n = static_cast<int>(tampon_.size());
  int fin = n;
  sure = false;
  if (!marque_chat_.isEmpty()) {
    const qsizetype m = tampon_.indexOf(marque_chat_, debut);
    if (m >= 0) {
      fin = static_cast<int>(m);
      sure = true;
    } else {
      // The next chat line may be arriving: its start (">[" at least, a
      // line may end with ">") at the end of the bytes.
      for (int k = std::max(debut, n - static_cast<int>(marque_chat_.size()) + 1); k < n - 1; ++k)
        if (marque_chat_.startsWith(QByteArrayView(tampon_).sliced(k))) {
          fin = k;
          break;
        }
    }
  }
  for (qsizetype i = tampon_.indexOf('#', debut); i >= 0 && i < fin; i = tampon_.indexOf('#', i + 1)) {
    if (coup_complet_a(tampon_, static_cast<int>(i))) {
      sure = true;
      return static_cast<int>(i);
    }
    // A move may be arriving: its "#" ends the part known to be chat.
    if (debut_de_coup(tampon_, static_cast<int>(i))) {
      sure = false;
      return static_cast<int>(i);
    }
  }
  return fin;
}

bool Decoupeur::attend_promotion(int debut_texte, int longueur_texte) const {
  QByteArray t = tampon_.mid(debut_texte, longueur_texte);
  if (t.contains('=')) return false;
  const qsizetype point = t.indexOf('.');
  if (point >= 0 && point < t.size() - 1 && t[point + 1] != 'p') t.remove(0, point + 1);
  if (t.isEmpty() || t.startsWith("O-O") || (t[0] >= 'A' && t[0] <= 'Z')) return false;
  char rang = 0;
  for (char c : t)
    if (chiffre_case(c)) rang = c;
  if (rang != '1' && rang != '8') return false;
  if (!pion_) return true;
  CoupRecu coup;
  return lit_coup(depuis_octets(tampon_.left(debut_texte + longueur_texte)), coup) && pion_(coup);
}

Decoupeur::Etat Decoupeur::mesure(int& longueur) const {
  const int n = static_cast<int>(tampon_.size());
  longueur = n;
  if (n == 0) return Etat::ATTENTE;
  const char verbe = tampon_[0];
  switch (verbe) {
    case '-':
    case '/':
      longueur = 1;
      return Etat::COMPLET;
    case '!': {
      // A draw answer has its letter; a "!" alone is none yet.
      if (n < 2) return Etat::ATTENTE;
      if (est_verbe(tampon_[1])) {
        longueur = 1;
        return Etat::COMPLET;
      }
      // "!" and one letter; anything glued to it that begins no message
      // belongs to it (and makes it no answer), so its end is the next verb.
      longueur = prochain_verbe(2, VERBES);
      return longueur < n ? Etat::COMPLET : Etat::SILENCE;
    }
    case '@': {
      const qsizetype fin = tampon_.indexOf("\r\n");
      if (fin < 0) return Etat::ATTENTE;
      longueur = static_cast<int>(fin) + 2;
      return Etat::COMPLET;
    }
    case '?':
      return Etat::SILENCE;
    case '>': {
      // The line's own nickname is no part of its text, whatever it holds.
      int debut = 1;
      if (!marque_chat_.isEmpty()) {
        if (tampon_.startsWith(marque_chat_))
          debut = static_cast<int>(marque_chat_.size());
        else if (marque_chat_.startsWith(tampon_))
          return Etat::ATTENTE;
      }
      bool sure = false;
      longueur = fin_chat(debut, sure);
      return sure ? Etat::COMPLET : Etat::SILENCE;
    }
    case '#': {
      for (int i = 1; i <= 4 && i < n; ++i)
        if (!chiffre_case(tampon_[i])) {
          longueur = prochain_verbe(1, APRES_COUP);
          return Etat::REJET;
        }
      // Up to the four digits, the move text is still to come.
      if (n <= 5) return Etat::ATTENTE;
      int texte = 0;
      const Lecture lecture = lit_texte_coup(tampon_, 5, texte);
      switch (lecture) {
        case Lecture::PARTIEL:
          return Etat::ATTENTE;
        case Lecture::AUCUN:
          longueur = prochain_verbe(5, APRES_COUP);
          return Etat::REJET;
        case Lecture::COMPLET:
        case Lecture::EXTENSIBLE:
          break;
      }
      longueur = 5 + texte;
      // A pawn's move to the last rank is whole with its "=" and letter.
      if ((longueur == n || (longueur + 1 == n && tampon_[longueur] == '=')) && attend_promotion(5, texte)) {
        longueur = n;
        return Etat::ATTENTE;
      }
      // A final "!" may be the start of a draw answer glued to the move
      // ("...e5!A"): the answer is one letter followed by a verb, or by
      // nothing once the sender is silent.
      if (tampon_[longueur - 1] == '!') {
        if (longueur == n) return Etat::SILENCE;
        if (tampon_[longueur] == 'A' || tampon_[longueur] == 'R') {
          if (longueur + 1 == n) {
            --longueur;
            return Etat::SILENCE;
          }
          if (est_verbe(tampon_[longueur + 1])) {
            --longueur;
            return Etat::COMPLET;
          }
        }
      }
      return lecture == Lecture::EXTENSIBLE ? Etat::SILENCE : Etat::COMPLET;
    }
    default:
      longueur = prochain_verbe(1, VERBES);
      return Etat::REJET;
  }
}

Decoupeur::Debut Decoupeur::suite_ouverte(int& longueur) const {
  const int n = static_cast<int>(tampon_.size());
  const char c = tampon_[0];
  if (ouvert_ == Ouvert::COUP) {
    // A "!" alone may be the move's mark or the start of a draw answer.
    if (c == '!') {
      if (n < 2) return Debut::INCERTAIN;
      longueur = 1;
      return est_verbe(tampon_[1]) ? Debut::SUITE : Debut::MESSAGE;
    }
    const QByteArray texte = texte_ouvert_ + tampon_;
    int l = 0;
    const Lecture lecture = lit_texte_coup(texte, 0, l);
    longueur = l - static_cast<int>(texte_ouvert_.size());
    if ((lecture == Lecture::COMPLET || lecture == Lecture::EXTENSIBLE) && longueur > 0) {
      // Its "!" stays in the buffer while it may open a draw answer.
      if (texte[l - 1] == '!' && longueur > 1 && (longueur == n || tampon_[longueur] == 'A' || tampon_[longueur] == 'R'))
        --longueur;
      return Debut::SUITE;
    }
    // "e." of "e.p.", a second "+": more of the text may come.
    const QRegularExpressionMatch m = grammaire_coup().match(QString::fromLatin1(texte), 0,
                                                             QRegularExpression::PartialPreferFirstMatch,
                                                             QRegularExpression::AnchorAtOffsetMatchOption);
    return m.hasPartialMatch() && !est_verbe(c) ? Debut::INCERTAIN : Debut::MESSAGE;
  }
  // An open chat line: bytes that cannot begin a message continue it. In a
  // game no copy sends a request, an acceptance or a refusal.
  bool message = c != '\0' && std::strchr(VERBES_PARTIE, c) != nullptr;
  if (c == '#') {
    if (debut_de_coup(tampon_, 0)) return Debut::INCERTAIN;
    message = coup_complet_a(tampon_, 0);
  } else if (c == '>' && !marque_chat_.isEmpty()) {
    if (marque_chat_.startsWith(tampon_)) return Debut::INCERTAIN;
    message = tampon_.startsWith(marque_chat_);
  }
  if (message) return Debut::MESSAGE;
  bool sure = false;
  longueur = fin_chat(1, sure);
  // A chat line is no longer than a message may be: past it, the bytes are
  // read as they stand.
  return longueur_ouverte_ + longueur > TAILLE_MAX ? Debut::MESSAGE : Debut::SUITE;
}

bool Decoupeur::attend_deux_silences() const {
  int n = 0;
  return ouvert_ == Ouvert::AUCUN && !tampon_.isEmpty() && tampon_[0] == '#' && mesure(n) == Etat::SILENCE &&
         n == tampon_.size() && tampon_[n - 1] == '!';
}

bool Decoupeur::suivant(QByteArray& message, bool silence, bool* suite) {
  if (silence) decoupe(true);
  while (!prets_.empty()) {
    auto [octets, de_suite] = prets_.front();
    prets_.pop_front();
    if (de_suite && !suite) continue;
    message = octets;
    if (suite) *suite = de_suite;
    return true;
  }
  return false;
}

void Decoupeur::fin_attente() { decoupe(true, true); }

void Decoupeur::rend(int n, bool suite) {
  if (n > TAILLE_MAX) {
    rejets_ << QStringLiteral("oversized message (%1 bytes) dropped").arg(n);
  } else {
    prets_.emplace_back(tampon_.left(n), suite);
  }
  tampon_.remove(0, n);
}

void Decoupeur::decoupe(bool silence, bool expire) {
  while (!tampon_.isEmpty()) {
    if (dans_coup_rejete_) {
      // The rest of a malformed move: up to where a move text cannot go.
      const int fin = prochain_verbe(0, APRES_COUP);
      tampon_.remove(0, fin);
      if (tampon_.isEmpty()) return;
      dans_coup_rejete_ = false;
    }
    int n = static_cast<int>(tampon_.size());
    if (ouvert_ != Ouvert::AUCUN) {
      const Debut d = suite_ouverte(n);
      if (d == Debut::INCERTAIN && !expire) return;
      if (d != Debut::MESSAGE) {
        if (d == Debut::INCERTAIN) n = static_cast<int>(tampon_.size());
        if (ouvert_ == Ouvert::COUP) texte_ouvert_ += tampon_.left(n);
        longueur_ouverte_ += n;
        rend(n, true);
        continue;
      }
      ouvert_ = Ouvert::AUCUN;
    }
    const Etat e = mesure(n);
    if (e == Etat::ATTENTE && !expire) return;
    if (e == Etat::SILENCE && !silence) return;
    if (e == Etat::REJET) {
      const char v = tampon_[0];
      rejets_ << (v == '#' ? QStringLiteral("malformed move message, %1 bytes dropped").arg(n)
                           : QStringLiteral("unknown verb (byte %1), %2 bytes dropped")
                                 .arg(static_cast<unsigned char>(v))
                                 .arg(n));
      // A malformed move that runs to the end of what arrived goes on in
      // the next bytes: a "-" or "!" there is still its text.
      if (v == '#' && n == tampon_.size()) dans_coup_rejete_ = true;
      tampon_.remove(0, n);
      continue;
    }
    // What is taken after a quiet while may still go on in later bytes.
    if (e != Etat::COMPLET && (tampon_[0] == '>' || tampon_[0] == '#')) {
      ouvert_ = tampon_[0] == '>' ? Ouvert::CHAT : Ouvert::COUP;
      texte_ouvert_ = tampon_.mid(5, n - 5);
      longueur_ouverte_ = n;
    }
    rend(n, false);
  }
}

// --- Writing a chat line --------------------------------------------------------------

QString texte_chat_sans_message(const QString& texte, const QString& pseudo) {
  QString t = texte;
  // A nickname marker of ours would start a second chat line.
  const QString marque = marque_chat(pseudo);
  for (qsizetype i = t.indexOf(marque); i >= 0; i = t.indexOf(marque, i + 2)) t.insert(i + 1, QLatin1Char(' '));
  // A "#" the peer would read as the start of a move gets a blank after it.
  for (qsizetype i = t.indexOf(QLatin1Char('#')); i >= 0; i = t.indexOf(QLatin1Char('#'), i + 1)) {
    const QByteArray suite = vers_octets(t.mid(i, 5 + LONGUEUR_COUP_MAX));
    // At the end of the text, the next message may complete it ("e2" + "!").
    const bool a_la_fin = i + suite.size() >= t.size();
    if (coup_complet_a(suite, 0) || (a_la_fin && debut_de_coup(suite, 0))) t.insert(i + 1, QLatin1Char(' '));
  }
  return t;
}

}  // namespace reseau
