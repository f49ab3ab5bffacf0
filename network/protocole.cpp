#include "network/protocole.h"

#include <QByteArrayView>
#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "chess/etat.h"
#include "platform/fichiers_texte.h"

namespace reseau {

namespace {

constexpr char VERBES[] = "?@-#>/!";
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
constexpr int LONGUEUR_COUP_MAX = 32;

enum class Lecture {
  COMPLET,   // a whole move text that no further byte can lengthen
  EXTENSIBLE,// a whole move text, which further bytes may still lengthen
  PARTIEL,   // the start of a move text
  AUCUN,     // no move text
};

// The move text at `debut` of `octets`, and its length when whole.
Lecture lit_texte_coup(const QByteArray& octets, int debut, int& longueur) {
  if (debut >= octets.size()) return Lecture::PARTIEL;
  // A move text is short: what stands further on cannot belong to it.
  const QString s = QString::fromLatin1(octets.mid(debut, LONGUEUR_COUP_MAX));
  const QRegularExpressionMatch m = grammaire_coup().match(
      s, 0, QRegularExpression::PartialPreferCompleteMatch, QRegularExpression::AnchorAtOffsetMatchOption);
  if (!m.hasMatch()) return m.hasPartialMatch() ? Lecture::PARTIEL : Lecture::AUCUN;
  longueur = static_cast<int>(m.capturedLength());
  // The same match reported as soon as it runs into the end of the bytes:
  // then a "+", a mark or the promotion may still come.
  const QRegularExpressionMatch h = grammaire_coup().match(
      s, 0, QRegularExpression::PartialPreferFirstMatch, QRegularExpression::AnchorAtOffsetMatchOption);
  return h.hasPartialMatch() ? Lecture::EXTENSIBLE : Lecture::COMPLET;
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

QString message_chat(const QString& pseudo, const QString& texte) {
  return QStringLiteral(">[") + pseudo + QStringLiteral("] ") + texte.trimmed();
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
  marque_chat_ = vers_octets(QStringLiteral(">[") + p + QStringLiteral("] "));
}

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
      // The next chat line may be arriving: its start at the end of the bytes.
      for (int k = std::max(debut, n - static_cast<int>(marque_chat_.size()) + 1); k < n; ++k)
        if (marque_chat_.startsWith(QByteArrayView(tampon_).sliced(k))) {
          fin = k;
          break;
        }
    }
  }
  for (qsizetype i = tampon_.indexOf('#', debut); i >= 0 && i < fin; i = tampon_.indexOf('#', i + 1))
    if (coup_complet_a(tampon_, static_cast<int>(i))) {
      sure = true;
      return static_cast<int>(i);
    }
  return fin;
}

Decoupeur::Etat Decoupeur::mesure(int& longueur) const {
  const int n = static_cast<int>(tampon_.size());
  longueur = 0;
  if (n == 0) return Etat::INCOMPLET;
  const char verbe = tampon_[0];
  switch (verbe) {
    case '-':
    case '/':
      longueur = 1;
      return Etat::COMPLET;
    case '!': {
      if (n < 2) return Etat::INCOMPLET;
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
      if (fin >= 0) {
        longueur = static_cast<int>(fin) + 2;
        return Etat::COMPLET;
      }
      longueur = n;
      return Etat::SILENCE;
    }
    case '?':
      longueur = n;
      return Etat::SILENCE;
    case '>': {
      // The line's own nickname is no part of its text, whatever it holds.
      int debut = 1;
      if (!marque_chat_.isEmpty()) {
        if (tampon_.startsWith(marque_chat_)) {
          debut = static_cast<int>(marque_chat_.size());
        } else if (marque_chat_.startsWith(tampon_)) {
          longueur = n;
          return Etat::SILENCE;
        }
      }
      bool sure = false;
      longueur = fin_chat(debut, sure);
      if (sure) return Etat::COMPLET;
      longueur = n;
      return Etat::SILENCE;
    }
    case '#': {
      for (int i = 1; i <= 4 && i < n; ++i)
        if (!chiffre_case(tampon_[i])) {
          longueur = prochain_verbe(1, APRES_COUP);
          return Etat::REJET;
        }
      // Up to the four digits, the move text is still to come.
      if (n <= 5) return Etat::INCOMPLET;
      int texte = 0;
      const Lecture lecture = lit_texte_coup(tampon_, 5, texte);
      switch (lecture) {
        case Lecture::PARTIEL:
          return Etat::INCOMPLET;
        case Lecture::AUCUN:
          longueur = prochain_verbe(5, APRES_COUP);
          return Etat::REJET;
        case Lecture::COMPLET:
        case Lecture::EXTENSIBLE:
          break;
      }
      longueur = 5 + texte;
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

bool Decoupeur::attend_silence() const {
  int n = 0;
  return mesure(n) == Etat::SILENCE;
}

bool Decoupeur::suivant(QByteArray& message, bool silence) {
  if (silence) decoupe(true);
  if (prets_.empty()) return false;
  message = prets_.front();
  prets_.pop_front();
  return true;
}

void Decoupeur::decoupe(bool silence) {
  for (;;) {
    if (dans_coup_rejete_) {
      // The rest of a malformed move: up to where a move text cannot go.
      const int fin = prochain_verbe(0, APRES_COUP);
      tampon_.remove(0, fin);
      if (tampon_.isEmpty()) return;
      dans_coup_rejete_ = false;
    }
    int n = 0;
    const Etat e = mesure(n);
    if (e == Etat::INCOMPLET || (e == Etat::SILENCE && !silence)) return;
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
    if (n > TAILLE_MAX) {
      rejets_ << QStringLiteral("oversized message (%1 bytes) dropped").arg(n);
      tampon_.remove(0, n);
      continue;
    }
    prets_.push_back(tampon_.left(n));
    tampon_.remove(0, n);
  }
}

// --- Writing a chat line --------------------------------------------------------------

QString texte_chat_sans_message(const QString& texte, const QString& pseudo) {
  QString t = texte;
  // A nickname marker of ours would start a second chat line.
  const QString marque = QStringLiteral(">[") + pseudo + QStringLiteral("] ");
  for (qsizetype i = t.indexOf(marque); i >= 0; i = t.indexOf(marque, i + 2)) t.insert(i + 1, QLatin1Char(' '));
  // A "#" the peer would read as the start of a move gets a blank after it.
  for (qsizetype i = t.indexOf(QLatin1Char('#')); i >= 0; i = t.indexOf(QLatin1Char('#'), i + 1)) {
    const QByteArray suite = vers_octets(t.mid(i, 5 + LONGUEUR_COUP_MAX));
    if (coup_complet_a(suite, 0)) t.insert(i + 1, QLatin1Char(' '));
  }
  return t;
}

}  // namespace reseau
