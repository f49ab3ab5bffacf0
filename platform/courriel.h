// Sending an e-mail through the system's mail transport.
//
// The message is composed here (RFC 5322 headers From, To, Subject, Date,
// Message-ID; a text/plain UTF-8 body in quoted-printable; multipart/mixed
// with each attached file in base64) and handed to the transport through the
// sendmail interface that msmtp, postfix and exim all provide:
//
//   sendmail -i -f FROM -- TO        (the message on standard input)
//
// The program is started directly, never through a shell, and the one
// recipient is an argument: the transport never takes recipients from the
// headers. Nothing about the transport (server, account, password) is kept
// by this program; the transport's own configuration holds it.
//
// Every address is one plain address (nom@domaine) and the subject is one
// line: a text that could add a header or a recipient is refused before
// anything is composed.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace plateforme {

struct Courriel {
  QString expediteur;        // From, and the sender given to the transport
  QString destinataire;      // To: one address
  QString sujet;             // one line
  QString corps;             // lines ended by CRLF, CR or LF
  QStringList pieces_jointes;  // full paths of the attached files, in order
};

// Why `adresse` cannot be used as an address field (a text for the user),
// or an empty text when it can: one address local@domaine of printable
// ASCII characters, without blank, line break, comma, semicolon, angle
// brackets or quotes, not beginning with "-".
QString defaut_adresse(const QString& adresse);

// Why `sujet` cannot be a subject (a line break or another control
// character), or an empty text.
QString defaut_sujet(const QString& sujet);

// The message as the transport receives it, lines ended by CRLF. Empty, with
// the reason in `erreur`, when an address or the subject is refused or an
// attached file cannot be read.
QByteArray compose_courriel(const Courriel& courriel, const QDateTime& date, const QString& id_message,
                            QString* erreur = nullptr);

// The pieces of the message, for those who check them.
QByteArray en_quoted_printable(const QByteArray& octets);           // one body, CRLF lines
QByteArray entete_sujet(const QString& sujet);                        // "Subject: ..." with folding
QByteArray date_courriel(const QDateTime& date);                      // "Wed, 09 Dec 2026 18:02:48 +0100"

// The transport program: in tests the stand-in the test named (or none);
// otherwise the first of /usr/sbin/sendmail, /usr/lib/sendmail, then
// sendmail or msmtp on the PATH. Empty when there is none.
QString programme_envoi();
// Why no mail can be sent (no transport installed, said so the user knows
// what to do), or an empty text when a transport is there.
QString defaut_transport();

// Composes the message and hands it to the transport, waiting for it (user
// input is held back meanwhile, other events go on). True only when the
// transport took the message (exit code 0). Otherwise false and a clear
// reason in `erreur`: a field refused, an attachment unreadable, no
// transport installed, a transport that would not start, that failed (with
// what it wrote on its error output), or that did not answer in time.
bool envoie_courriel(const Courriel& courriel, QString* erreur = nullptr);

// --- Seam for tests -----------------------------------------------------
class CourrielsEnTest {
 public:
  // From now on no system transport is ever used: only the program given
  // to definit_programme (none until then). The time limit is back to its
  // normal value.
  static void active();
  static void desactive();
  static bool actif();
  // The stand-in run as the transport (an empty text: none).
  static void definit_programme(const QString& chemin);
  // How long a transport may take before it is stopped.
  static void definit_delai_ms(int ms);
};

}  // namespace plateforme
