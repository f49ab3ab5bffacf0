// The messages two copies of the program exchange over one TCP connection.
//
// Every message is Windows-1252 text whose first character, the verb, says
// what it is. Nothing separates messages on the wire and only the acceptance
// ends with CR LF, so the receiver cuts the byte stream by the grammar of
// each verb (Decoupeur). The wire format itself never changes:
//   "?" nickname                 a game request (connecting side)
//   "@" nickname CR LF           the request accepted (listening side)
//   "-"                          the request refused
//   "#" c1 l1 c2 l2 move-text    a move, four digits 1..8 in the sender's
//                                screen coordinates, then its long move text
//   ">[" nickname "] " text      a chat line
//   "/"                          a draw offer
//   "!A" / "!R"                  the offer accepted / refused
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <utility>

namespace reseau {

// --- Composing ---------------------------------------------------------------
QString message_demande(const QString& pseudo);
QString message_acceptation(const QString& pseudo);
QString message_refus();
// The digits are the sender's screen coordinates; the text is trimmed.
QString message_coup(int col_s, int lig_s, int col_d, int lig_d, const QString& texte_coup);
// The text is trimmed (a line of blanks sends "[nickname] " alone).
QString message_chat(const QString& pseudo, const QString& texte);
// Chat text written so that no part of it can be read as a message of its
// own: a "#" that would begin a well-formed move gets a blank after it
// ("# 4745e7-e5"), and our nickname marker ">[pseudo] " becomes
// "> [pseudo] ". Any other text is returned unchanged.
QString texte_chat_sans_message(const QString& texte, const QString& pseudo);
// The longest chat line the chat field takes, in characters (it goes as about
// ten messages); a longer one is refused, never cut.
constexpr int LONGUEUR_CHAT_MAX = 20000;
// The chat messages of a typed line, in order: its text trimmed and cut into
// pieces whose messages each fit the receiver's limit (TAILLE_MAX bytes on
// the wire, the nickname marker and the writing of texte_chat_sans_message
// included), cut between characters; each piece is written by
// texte_chat_sans_message as a text of its own. One message for a line that fits;
// none for a nickname over LONGUEUR_PSEUDO_MAX characters (play/parametres.h).
QStringList messages_chat(const QString& pseudo, const QString& texte);
QString message_propose_nul();
QString message_nul_accepte();
QString message_nul_refuse();

// The bytes of a message on the wire, and back.
QByteArray vers_octets(const QString& message);
QString depuis_octets(const QByteArray& octets);

// --- Reading a move -------------------------------------------------------------
// A move message read and mirrored into the receiver's screen coordinates
// (each digit d becomes 9 - d: the two boards face each other).
struct CoupRecu {
  int col_s = 0, lig_s = 0, col_d = 0, lig_d = 0;
  QChar promotion;   // the letter after the first "=" of the move text, or null
  QString texte;     // the sender's move text
};
// False, with the reason in `erreur`, when the message is no well-formed move:
// not "#", fewer than four digits, a digit outside 1..8, no move text.
bool lit_coup(const QString& message, CoupRecu& coup, QString* erreur = nullptr);
// The piece type (TYPE_DAME...) of a promotion letter, French or English
// ("D"/"Q", "T"/"R", "F"/"B", "C"/"N"); 0 for any other letter.
int type_promotion(QChar lettre);

// --- Cutting the stream -----------------------------------------------------------
// One buffer per connection. Bytes are appended as they arrive; messages come
// out one at a time, in order.
//
// The rule: what a copy of this program sends is never misread, whatever
// the network does to it (two messages joined in one read, one message cut
// over several reads at any byte, any delay between the pieces), and no
// later byte of a chat line is ever dropped. Our copies write a "#" that
// would begin a move inside chat text with a blank after it, and their own
// nickname marker as "> [pseudo] ", so a well-formed move message, or the
// peer's marker, inside a received chat line begins a new message. (Chat
// text is free otherwise: a pause right before a "/" or "!" in it reads as
// a draw offer or answer, which may follow a chat line in a game; a request
// has no end mark, so it is taken after the first quiet while.)
//
// How the end of each message is found:
// - "-", "/", "@...CRLF" and a move that no further byte can lengthen are
//   complete as soon as their last byte is there.
// - A message whose end the grammar cannot see (a request, a chat line, a
//   move that may still get "+", "!" or "?", a draw answer that may get more
//   letters) is complete when the next message begins after it, or once the
//   sender has been quiet for a short while (`silence`). A move whose last
//   "!" may open a draw answer glued to it ("...e4!" then "R") waits for two
//   such whiles (attend_deux_silences).
// - A message whose end is known to be missing waits for it: a pawn's move
//   to the last rank without its "=" and letter, an acceptance without its
//   CRLF, a move not past its text's start, a "!" without its letter, a chat
//   line's nickname marker cut short. It waits until fin_attente() (the
//   caller's long limit), then goes on as it stands.
// - A chat line shown after a quiet while stays open: the bytes that come
//   after it and cannot begin a message (in a game only "#", ">", "/" and
//   "!" begin one) continue it (suite), up to TAILLE_MAX. Its bytes that
//   may still become a message (a "#" and digits, the start of the peer's
//   marker) are held until it is known. So is a move taken after a quiet: a
//   late "+", "?" or "!" continues it.
// A move text is the long one this program writes, or a short one ("exd5",
// "Cf3"), read only where no long one can stand.
//
// Bytes that begin no message (an unknown verb, a move with bad digits) are
// dropped up to the next verb (for a bad move, the next verb a move text
// cannot hold, even when it comes in a later read), with a reason in the
// log lines. A message over TAILLE_MAX bytes is dropped the same way. Past
// PLAFOND bytes waiting in the buffer the connection must be dropped (ajoute
// returns false).
class Decoupeur {
 public:
  static constexpr int TAILLE_MAX = 2048;
  static constexpr int PLAFOND = 16384;

  // Appends what arrived and cuts the complete messages out. False when more
  // than PLAFOND bytes are left waiting: the caller drops the connection (the
  // waiting bytes are forgotten).
  bool ajoute(const QByteArray& octets);
  // The next message, taken out of the buffer; false when none is ready.
  // `silence`: the sender has been quiet for a while. `suite`, when given,
  // tells the bytes that continue the message handed on before (a chat line
  // or a move taken after a quiet while); without it they are never handed.
  bool suivant(QByteArray& message, bool silence, bool* suite = nullptr);
  // The long wait is over: what waits for its known end goes on as it stands.
  void fin_attente();
  // The bytes left wait for a second quiet while before they are taken.
  bool attend_deux_silences() const;
  // Bytes waiting in the buffer, not yet handed on.
  int en_attente() const { return static_cast<int>(tampon_.size()); }
  // The peer's nickname as its chat lines carry it (cuts joined chat lines).
  void pseudo_adverse(const QString& pseudo);
  // Whether the piece a move lifts is a pawn, by the receiver's board (the
  // move read and mirrored). Without it, a move text without a piece letter
  // to the last rank is a pawn's.
  void pion_deplace(std::function<bool(const CoupRecu&)> pion);
  // The reasons of the bytes dropped since the last call.
  QStringList rejets();

 private:
  enum class Etat { COMPLET, ATTENTE, SILENCE, REJET };
  // What the bytes at the start of the buffer are after an open message.
  enum class Debut { MESSAGE, SUITE, INCERTAIN };
  enum class Ouvert { AUCUN, CHAT, COUP };
  // The length of the message at the start of the buffer, by its verb; for
  // SILENCE, what is taken after a quiet while.
  Etat mesure(int& longueur) const;
  // Whether the bytes at the start continue the open message, and how many.
  Debut suite_ouverte(int& longueur) const;
  void decoupe(bool silence, bool expire = false);
  void rend(int longueur, bool suite);
  // Where the chat line ends, searched from `debut`: at the next line of the
  // peer's nickname or the next well-formed move. `sure` is false when that
  // end is only the end of what arrived, or the start of bytes that may
  // still become a message.
  int fin_chat(int debut, bool& sure) const;
  int prochain_verbe(int debut, const char* verbes) const;
  bool attend_promotion(int debut_texte, int longueur_texte) const;

  QByteArray tampon_;
  std::deque<std::pair<QByteArray, bool>> prets_;
  QByteArray marque_chat_;
  QStringList rejets_;
  std::function<bool(const CoupRecu&)> pion_;
  Ouvert ouvert_ = Ouvert::AUCUN;
  // The text of the open move; the bytes of the open message so far.
  QByteArray texte_ouvert_;
  int longueur_ouverte_ = 0;
  // The bytes so far ended inside a malformed move: what follows, up to a
  // verb that a move text cannot hold, is still dropped.
  bool dans_coup_rejete_ = false;
};

}  // namespace reseau
