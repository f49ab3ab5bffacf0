// Mail in tests: a stand-in for the system's sendmail that records what it is
// given, and a reader that takes a mail apart again (headers, encoded
// subject, quoted-printable body, base64 attachments) without the program's
// own code.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// A shell script written into `dossier` and installed as the transport. Each
// run records its arguments (argv.N, separated by NUL bytes) and its standard
// input (stdin.N), N counting runs from 1, writes `erreur` on its error
// output, and ends with `code`.
class FauxSendmail {
 public:
  explicit FauxSendmail(const QString& dossier, int code = 0, const QString& erreur = QString());
  QString chemin() const { return chemin_; }
  int nb_envois() const;
  QStringList arguments(int n) const;
  QByteArray entree(int n) const;

 private:
  QString dossier_;
  QString chemin_;
};

struct PieceLue {
  QString nom_fichier;
  QByteArray type;     // Content-Type without its parameters
  QByteArray contenu;  // decoded
};

struct CourrielLu {
  QMap<QByteArray, QByteArray> entetes;  // lower-case names, folded lines joined
  QString sujet;                         // decoded
  QString corps;                         // decoded text, lines ended by CRLF
  QList<PieceLue> pieces;
  QStringList defauts;                   // what breaks the rules of a mail (empty when nothing)
};

// Reads a mail as a receiving program would.
CourrielLu lit_courriel(const QByteArray& brut);

// Decodes the RFC 2047 encoded words of a header value.
QString decode_entete(const QByteArray& valeur);
