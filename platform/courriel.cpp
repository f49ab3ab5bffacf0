#include "platform/courriel.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>
#include <algorithm>

#include "platform/evenements.h"
#include "platform/langue_messages.h"

namespace plateforme {

namespace {

constexpr int DELAI_NORMAL_MS = 120 * 1000;
// Past this size an attachment is refused: the whole message is built in
// memory and mail servers refuse far less.
constexpr qint64 TAILLE_MAX_PIECE = 20 * 1024 * 1024;

bool essai_actif = false;
QString programme_essai;
int delai_ms = DELAI_NORMAL_MS;

const QByteArray CRLF("\r\n");

bool est_saut_de_ligne(QChar c) {
  return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0x85) || c == QChar(0x2028) ||
         c == QChar(0x2029) || c == QChar(0x0B) || c == QChar(0x0C);
}

// What the user is shown of a refused text: its line breaks visible.
QString visible(const QString& texte) {
  QString v;
  for (QChar c : texte) {
    if (c == QLatin1Char('\r'))
      v += QStringLiteral("\\r");
    else if (c == QLatin1Char('\n'))
      v += QStringLiteral("\\n");
    else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
      v += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    else
      v += c;
  }
  if (v.size() > 80) v = v.left(77) + QStringLiteral("...");
  return v;
}

bool atexte(char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return QByteArray("!#$%&'*+-/=?^_`{|}~").contains(c);
}

bool domaine_valide(const QByteArray& d) {
  if (d.isEmpty() || d.size() > 253) return false;
  for (const QByteArray& etiquette : d.split('.')) {
    if (etiquette.isEmpty() || etiquette.size() > 63) return false;
    if (etiquette.startsWith('-') || etiquette.endsWith('-')) return false;
    for (char c : etiquette)
      if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-')) return false;
  }
  return true;
}

bool partie_locale_valide(const QByteArray& l) {
  if (l.isEmpty() || l.size() > 64 || l.startsWith('.') || l.endsWith('.') || l.contains("..")) return false;
  for (char c : l)
    if (c != '.' && !atexte(c)) return false;
  return true;
}

char hexa(int n) { return "0123456789ABCDEF"[n & 15]; }

// One RFC 2047 encoded word "=?UTF-8?Q?...?=" per group of characters, each
// word at most `largeur` characters long, a character's bytes never split.
QList<QByteArray> mots_encodes(const QString& texte, int largeur) {
  const QByteArray debut("=?UTF-8?Q?"), fin("?=");
  QList<QByteArray> mots;
  QByteArray courant;
  for (qsizetype i = 0; i < texte.size(); ++i) {
    QString caractere(texte[i]);
    if (texte[i].isHighSurrogate() && i + 1 < texte.size()) caractere += texte[++i];
    QByteArray code;
    for (char o : caractere.toUtf8()) {
      const auto u = static_cast<unsigned char>(o);
      if (u == ' ')
        code += '_';
      else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '!' ||
               u == '*' || u == '+' || u == '-' || u == '/')
        code += static_cast<char>(u);
      else
        code += QByteArray("=") + hexa(u >> 4) + hexa(u);
    }
    if (!courant.isEmpty() && debut.size() + courant.size() + code.size() + fin.size() > largeur) {
      mots.append(debut + courant + fin);
      courant.clear();
    }
    courant += code;
  }
  if (!courant.isEmpty() || mots.isEmpty()) mots.append(debut + courant + fin);
  return mots;
}

// A file name as the parameter `nom` of a part's header, on lines of its own
// (each to follow a CRLF and a blank): quoted when it is short plain ASCII;
// otherwise encoded words for the type's name, and the RFC 2231 form, cut
// into numbered pieces, for the file's name.
QList<QByteArray> parametre_nom(const char* nom, const QString& valeur, bool etendu) {
  bool simple = valeur.size() <= 60;
  for (QChar c : valeur)
    if (c.unicode() < 0x20 || c.unicode() > 0x7E || c == QLatin1Char('"') || c == QLatin1Char('\\')) simple = false;
  if (simple) return {QByteArray(nom) + "=\"" + valeur.toLatin1() + '"'};
  if (!etendu) {
    QList<QByteArray> mots = mots_encodes(valeur, 66);
    mots.first().prepend(QByteArray(nom) + "=\"");
    mots.last().append('"');
    return mots;
  }
  const QByteArray code = valeur.toUtf8().toPercentEncoding();
  QList<QByteArray> lignes;
  qsizetype i = 0;
  while (i < code.size() || lignes.isEmpty()) {
    qsizetype n = std::min<qsizetype>(54, code.size() - i);
    // A "%XX" stays whole.
    if (i + n < code.size()) {
      if (code[i + n - 1] == '%') n -= 1;
      else if (n >= 2 && code[i + n - 2] == '%') n -= 2;
    }
    QByteArray l = QByteArray(nom) + '*' + QByteArray::number(lignes.size()) + "*=";
    if (lignes.isEmpty()) l += "UTF-8''";
    lignes.append(l + code.mid(i, n));
    i += n;
  }
  return lignes;
}

// Lines of one header: the first after the name, the others folded.
QByteArray entete_plie(const QByteArray& debut, const QList<QByteArray>& parametres) {
  QByteArray e = debut;
  for (const QByteArray& p : parametres) e += CRLF + ' ' + p;
  return e + CRLF;
}

QByteArray en_base64(const QByteArray& octets) {
  const QByteArray b = octets.toBase64();
  QByteArray lignes;
  for (qsizetype i = 0; i < b.size(); i += 76) lignes += b.mid(i, 76) + CRLF;
  return lignes;
}

QString domaine_de(const QString& adresse) {
  const qsizetype arobase = adresse.lastIndexOf(QLatin1Char('@'));
  return arobase >= 0 ? adresse.mid(arobase + 1) : QStringLiteral("localhost");
}

}  // namespace

QString defaut_adresse(const QString& adresse) {
  if (adresse.isEmpty()) return texte_message(792);
  for (QChar c : adresse)
    if (est_saut_de_ligne(c))
      return texte_message(793).arg(visible(adresse));
  const QString forme_incorrecte =
      texte_message(794).arg(visible(adresse));
  // A name with the address ("Nom <nom@domaine>") is not taken: the field
  // holds the address alone.
  if (adresse.contains(QLatin1Char('<')) || adresse.contains(QLatin1Char('>')) || adresse.contains(QLatin1Char('"')))
    return forme_incorrecte;
  if (adresse.contains(QLatin1Char(',')) || adresse.contains(QLatin1Char(';')) || adresse.count(QLatin1Char('@')) > 1 ||
      adresse.trimmed().contains(QLatin1Char(' ')) || adresse.trimmed().contains(QLatin1Char('\t')))
    return texte_message(795).arg(visible(adresse));
  bool ascii = true;
  for (QChar c : adresse)
    if (c.unicode() <= 0x20 || c.unicode() >= 0x7F) ascii = false;
  const QByteArray a = adresse.toLatin1();
  const qsizetype arobase = a.indexOf('@');
  if (!ascii || a.startsWith('-') || arobase <= 0 || a.size() > 254 || !partie_locale_valide(a.left(arobase)) ||
      !domaine_valide(a.mid(arobase + 1)))
    return forme_incorrecte;
  return QString();
}

QString defaut_sujet(const QString& sujet) {
  for (QChar c : sujet) {
    if (est_saut_de_ligne(c)) return texte_message(796);
    if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F)
      return texte_message(797);
  }
  return QString();
}

QByteArray en_quoted_printable(const QByteArray& octets) {
  QByteArray texte = octets;
  texte.replace("\r\n", "\n");
  texte.replace('\r', '\n');
  QByteArray sortie;
  const QList<QByteArray> lignes = texte.split('\n');
  for (qsizetype n = 0; n < lignes.size(); ++n) {
    const QByteArray& ligne = lignes[n];
    // The last piece after a final line end is no line.
    if (n == lignes.size() - 1 && ligne.isEmpty()) break;
    qsizetype largeur = 0;
    for (qsizetype i = 0; i < ligne.size(); ++i) {
      const auto u = static_cast<unsigned char>(ligne[i]);
      const bool derniere = i == ligne.size() - 1;
      QByteArray jeton;
      const bool blanc = u == ' ' || u == '\t';
      // "From " at the start of a line is read as a new message by mailbox files.
      const bool debut_from = i == 0 && ligne.startsWith("From ");
      if (debut_from || (blanc && derniere) || u == '=' || (!blanc && (u < 33 || u > 126)))
        jeton = QByteArray("=") + hexa(u >> 4) + hexa(u);
      else
        jeton = QByteArray(1, static_cast<char>(u));
      // A line holds at most 76 characters, the soft break's "=" included.
      const qsizetype reserve = derniere ? 0 : 1;
      if (largeur + jeton.size() + reserve > 76) {
        sortie += "=" + CRLF;
        largeur = 0;
      }
      sortie += jeton;
      largeur += jeton.size();
    }
    sortie += CRLF;
  }
  return sortie;
}

QByteArray entete_sujet(const QString& sujet) {
  const QByteArray nom("Subject: ");
  bool brut = !sujet.contains(QStringLiteral("=?")) && nom.size() + sujet.size() <= 78;
  for (QChar c : sujet)
    if (c.unicode() < 0x20 || c.unicode() > 0x7E) brut = false;
  if (brut) return nom + sujet.toLatin1();
  // Each line of encoded words stays within 76 characters.
  return nom + mots_encodes(sujet, 66).join(CRLF + ' ');
}

QByteArray date_courriel(const QDateTime& date) {
  static const char* const jours[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  static const char* const mois[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const QDate j = date.date();
  const QTime h = date.time();
  const int decalage = date.offsetFromUtc() / 60;
  const int absolu = decalage < 0 ? -decalage : decalage;
  return QStringLiteral("%1, %2 %3 %4 %5:%6:%7 %8%9%10")
      .arg(QLatin1String(jours[j.dayOfWeek() - 1]))
      .arg(j.day(), 2, 10, QLatin1Char('0'))
      .arg(QLatin1String(mois[j.month() - 1]))
      .arg(j.year(), 4, 10, QLatin1Char('0'))
      .arg(h.hour(), 2, 10, QLatin1Char('0'))
      .arg(h.minute(), 2, 10, QLatin1Char('0'))
      .arg(h.second(), 2, 10, QLatin1Char('0'))
      .arg(decalage < 0 ? QLatin1Char('-') : QLatin1Char('+'))
      .arg(absolu / 60, 2, 10, QLatin1Char('0'))
      .arg(absolu % 60, 2, 10, QLatin1Char('0'))
      .toLatin1();
}

QByteArray compose_courriel(const Courriel& c, const QDateTime& date, const QString& id_message, QString* erreur) {
  auto refuse = [erreur](const QString& raison) {
    if (erreur) *erreur = raison;
    return QByteArray();
  };
  QString raison = defaut_adresse(c.expediteur);
  if (!raison.isEmpty()) return refuse(raison);
  raison = defaut_adresse(c.destinataire);
  if (!raison.isEmpty()) return refuse(raison);
  raison = defaut_sujet(c.sujet);
  if (!raison.isEmpty()) return refuse(raison);

  // The files first: an unreadable one stops everything.
  struct Piece {
    QString nom;
    QByteArray type;
    QByteArray contenu;
  };
  QList<Piece> pieces;
  QMimeDatabase types;
  for (const QString& chemin : c.pieces_jointes) {
    const QFileInfo info(chemin);
    if (!info.isFile()) return refuse(texte_message(798).arg(chemin));
    if (info.size() > TAILLE_MAX_PIECE)
      return refuse(texte_message(799).arg(chemin).arg(TAILLE_MAX_PIECE >> 20));
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
      return refuse(avec_detail(texte_message(800).arg(chemin), fichier.errorString()));
    const QByteArray contenu = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError)
      return refuse(avec_detail(texte_message(800).arg(chemin), fichier.errorString()));
    QByteArray type = types.mimeTypeForFile(info).name().toLatin1();
    if (type.isEmpty() || type.contains('"') || type.contains(';')) type = "application/octet-stream";
    pieces.append({info.fileName(), type, contenu});
  }

  QByteArray m;
  m += "From: " + c.expediteur.toLatin1() + CRLF;
  m += "To: " + c.destinataire.toLatin1() + CRLF;
  m += entete_sujet(c.sujet) + CRLF;
  m += "Date: " + date_courriel(date) + CRLF;
  m += "Message-ID: <" + id_message.toLatin1() + ">" + CRLF;
  m += "MIME-Version: 1.0" + CRLF;
  const QByteArray texte = "Content-Type: text/plain; charset=UTF-8" + CRLF +
                           "Content-Transfer-Encoding: quoted-printable" + CRLF + CRLF +
                           en_quoted_printable(c.corps.toUtf8());
  if (pieces.isEmpty()) {
    m += texte;
    return m;
  }
  const QByteArray limite = "=_Morvandel_" + QUuid::createUuid().toByteArray(QUuid::Id128);
  m += "Content-Type: multipart/mixed;" + CRLF + " boundary=\"" + limite + "\"" + CRLF + CRLF;
  m += "This is a multi-part message in MIME format." + CRLF;
  m += "--" + limite + CRLF + texte;
  for (const Piece& p : pieces) {
    m += "--" + limite + CRLF;
    m += entete_plie("Content-Type: " + p.type + ";", parametre_nom("name", p.nom, false));
    QList<QByteArray> pieces_nom = parametre_nom("filename", p.nom, true);
    for (qsizetype i = 0; i + 1 < pieces_nom.size(); ++i) pieces_nom[i] += ';';
    m += entete_plie("Content-Disposition: attachment;", pieces_nom);
    m += "Content-Transfer-Encoding: base64" + CRLF + CRLF;
    m += en_base64(p.contenu);
  }
  m += "--" + limite + "--" + CRLF;
  return m;
}

QString programme_envoi() {
  if (essai_actif) return QFileInfo(programme_essai).isExecutable() ? programme_essai : QString();
  for (const char* chemin : {"/usr/sbin/sendmail", "/usr/lib/sendmail"})
    if (QFileInfo(QString::fromLatin1(chemin)).isExecutable()) return QString::fromLatin1(chemin);
  for (const char* nom : {"sendmail", "msmtp"}) {
    const QString trouve = QStandardPaths::findExecutable(QString::fromLatin1(nom));
    if (!trouve.isEmpty()) return trouve;
  }
  return QString();
}

QString defaut_transport() {
  if (!programme_envoi().isEmpty()) return QString();
  return texte_message(801);
}

bool envoie_courriel(const Courriel& courriel, QString* erreur) {
  auto echec = [erreur](const QString& raison) {
    if (erreur) *erreur = raison;
    return false;
  };
  const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('@') +
                     domaine_de(courriel.expediteur);
  QString raison;
  const QByteArray message = compose_courriel(courriel, QDateTime::currentDateTime(), id, &raison);
  if (message.isEmpty()) return echec(raison);

  const QString programme = programme_envoi();
  if (programme.isEmpty()) return echec(defaut_transport());

  QProcess processus;
  processus.setProcessChannelMode(QProcess::SeparateChannels);
  processus.start(programme, {QStringLiteral("-i"), QStringLiteral("-f"), courriel.expediteur, QStringLiteral("--"),
                              courriel.destinataire});
  if (!processus.waitForStarted(10000))
    return echec(avec_detail(texte_message(802).arg(programme), processus.errorString()));

  curseur_attente(true);
  processus.write(message);
  processus.closeWriteChannel();
  QEventLoop attente;
  QTimer limite;
  limite.setSingleShot(true);
  bool trop_long = false;
  QObject::connect(&limite, &QTimer::timeout, &attente, [&] {
    trop_long = true;
    attente.quit();
  });
  QObject::connect(&processus, &QProcess::finished, &attente, &QEventLoop::quit);
  limite.start(delai_ms);
  // The user's clicks wait: nothing may change the message or the game
  // while the transport works; timers and sockets go on.
  if (processus.state() != QProcess::NotRunning) attente.exec(QEventLoop::ExcludeUserInputEvents);
  curseur_attente(false);
  if (trop_long && processus.state() != QProcess::NotRunning) {
    processus.kill();
    processus.waitForFinished(5000);
    return echec(texte_message(803).arg(programme).arg(delai_ms / 1000.0));
  }
  const QString sortie = QString::fromLocal8Bit(processus.readAllStandardError()).trimmed().left(600);
  if (processus.exitStatus() != QProcess::NormalExit)
    return echec(avec_detail(texte_message(804).arg(programme), sortie));
  if (processus.exitCode() != 0)
    return echec(avec_detail(texte_message(805).arg(programme).arg(processus.exitCode()), sortie));
  return true;
}

void CourrielsEnTest::active() {
  essai_actif = true;
  programme_essai.clear();
  delai_ms = DELAI_NORMAL_MS;
}

void CourrielsEnTest::desactive() {
  essai_actif = false;
  programme_essai.clear();
  delai_ms = DELAI_NORMAL_MS;
}

bool CourrielsEnTest::actif() { return essai_actif; }
void CourrielsEnTest::definit_programme(const QString& chemin) { programme_essai = chemin; }
void CourrielsEnTest::definit_delai_ms(int ms) { delai_ms = ms > 0 ? ms : DELAI_NORMAL_MS; }

}  // namespace plateforme
