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
// One buffer per connection. Bytes are appended as they arrive; complete
// messages come out one at a time, in order.
//
// A message is cut out only once no further byte can change where it ends.
// "-", "/", "@...CRLF" and a move that ends with its "?" mark are complete
// as soon as their last byte is there. A message whose end the grammar
// cannot see (a request, a chat line, a move that may still get "+", "!" or
// "?", a "!" that may be the start of "!A" glued to a move, a draw answer
// that may get more letters) is complete when the next message begins after
// it, or, standing at the end of what arrived, once the sender has been
// silent for a moment (`silence`). A chat line ends where the next chat line
// of the same nickname or the next well-formed move begins; its own
// nickname is not searched. So however the network cuts the stream, the
// same messages come out as from the stream in one piece.
//
// Bytes that begin no message (an unknown verb, a move with bad digits) are
// dropped up to the next verb (for a bad move, the next verb a move text
// cannot hold, even when it comes in a later read), with a reason in the
// log lines. A complete message over TAILLE_MAX bytes is dropped the same
// way. Past PLAFOND bytes waiting in the buffer the connection must be
// dropped (ajoute returns false).
class Decoupeur {
 public:
  static constexpr int TAILLE_MAX = 2048;
  static constexpr int PLAFOND = 16384;

  // Appends what arrived and cuts the complete messages out. False when more
  // than PLAFOND bytes are left waiting: the caller drops the connection (the
  // waiting bytes are forgotten).
  bool ajoute(const QByteArray& octets);
  // The next complete message, taken out of the buffer; false when none is
  // complete yet.
  bool suivant(QByteArray& message, bool silence);
  // True when the bytes left would form a message after a silence.
  bool attend_silence() const;
  // Bytes waiting in the buffer, not yet a complete message.
  int en_attente() const { return static_cast<int>(tampon_.size()); }
  // The peer's nickname as its chat lines carry it (cuts joined chat lines).
  void pseudo_adverse(const QString& pseudo);
  // The reasons of the bytes dropped since the last call.
  QStringList rejets();

 private:
  enum class Etat { COMPLET, INCOMPLET, SILENCE, REJET };
  // The length of the message at the start of the buffer, by its verb.
  Etat mesure(int& longueur) const;
  void decoupe(bool silence);
  // Where the chat line ends, searched from `debut`: at the next line of the
  // peer's nickname or the next well-formed move. `sure` is false when that
  // end is only the end of what arrived (more text, or a nickname marker
  // still arriving).
  int fin_chat(int debut, bool& sure) const;
  int prochain_verbe(int debut, const char* verbes) const;

  QByteArray tampon_;
  std::deque<QByteArray> prets_;
  QByteArray marque_chat_;
  QStringList rejets_;
  // The bytes so far ended inside a malformed move: what follows, up to a
  // verb that a move text cannot hold, is still dropped.
  bool dans_coup_rejete_ = false;
};

}  // namespace reseau
