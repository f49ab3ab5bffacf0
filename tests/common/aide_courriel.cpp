#include "tests/common/aide_courriel.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "platform/courriel.h"
#include "tests/common/aide_tests.h"

namespace {

QByteArray lit(const QString& chemin) { return octets_fichier(chemin); }

int valeur_hexa(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;  // lower case is not what a writer should produce
}

// "=XX" sequences and soft line breaks; every line of the part must end
// with CRLF and hold at most 76 characters.
QByteArray decode_qp(const QByteArray& texte, QStringList& defauts) {
  QByteArray sortie;
  const QList<QByteArray> lignes = texte.split('\n');
  for (qsizetype n = 0; n < lignes.size(); ++n) {
    QByteArray ligne = lignes[n];
    if (n == lignes.size() - 1) {
      if (!ligne.isEmpty()) defauts << QStringLiteral("body does not end with CRLF");
      break;
    }
    if (!ligne.endsWith('\r')) defauts << QStringLiteral("bare LF in the body");
    ligne.chop(1);
    if (ligne.size() > 76) defauts << QStringLiteral("quoted-printable line over 76: ") + QString::fromLatin1(ligne);
    if (!ligne.isEmpty() && (ligne.endsWith(' ') || ligne.endsWith('\t')))
      defauts << QStringLiteral("trailing blank in a quoted-printable line");
    bool douce = false;
    for (qsizetype i = 0; i < ligne.size(); ++i) {
      const char c = ligne[i];
      if (c != '=') {
        if (static_cast<unsigned char>(c) > 126) defauts << QStringLiteral("8-bit byte in quoted-printable");
        sortie += c;
        continue;
      }
      if (i == ligne.size() - 1) {
        douce = true;
        break;
      }
      const int h = i + 2 < ligne.size() ? valeur_hexa(ligne[i + 1]) : -1;
      const int b = i + 2 < ligne.size() ? valeur_hexa(ligne[i + 2]) : -1;
      if (h < 0 || b < 0) {
        defauts << QStringLiteral("bad = sequence");
        break;
      }
      sortie += static_cast<char>(h * 16 + b);
      i += 2;
    }
    if (!douce) sortie += "\r\n";
  }
  return sortie;
}

// Splits "headers CRLF CRLF body"; headers unfolded, names in lower case.
void separe(const QByteArray& brut, QMap<QByteArray, QByteArray>& entetes, QByteArray& corps, QStringList& defauts) {
  const qsizetype fin = brut.indexOf("\r\n\r\n");
  if (fin < 0) {
    defauts << QStringLiteral("no blank line after the headers");
    return;
  }
  corps = brut.mid(fin + 4);
  QByteArray nom;
  for (const QByteArray& ligne : brut.left(fin + 2).chopped(1).split('\n')) {
    QByteArray l = ligne;
    if (!l.endsWith('\r')) {
      defauts << QStringLiteral("bare LF in the headers");
    } else {
      l.chop(1);
    }
    if (l.size() > 78) defauts << QStringLiteral("header line over 78: ") + QString::fromLatin1(l);
    if (l.startsWith(' ') || l.startsWith('\t')) {
      if (nom.isEmpty()) defauts << QStringLiteral("continuation without header");
      entetes[nom] += l;
      continue;
    }
    const qsizetype deux_points = l.indexOf(':');
    if (deux_points <= 0) {
      defauts << QStringLiteral("header line without name: ") + QString::fromLatin1(l);
      continue;
    }
    nom = l.left(deux_points).toLower();
    if (entetes.contains(nom)) defauts << QStringLiteral("header twice: ") + QString::fromLatin1(nom);
    entetes[nom] = l.mid(deux_points + 1).trimmed();
  }
}

QByteArray parametre(const QByteArray& valeur, const QByteArray& nom) {
  const QRegularExpression re(QStringLiteral("(?:^|;)\\s*%1=\"([^\"]*)\"").arg(QString::fromLatin1(nom)),
                              QRegularExpression::CaseInsensitiveOption);
  const auto m = re.match(QString::fromLatin1(valeur));
  return m.hasMatch() ? m.captured(1).toLatin1() : QByteArray();
}

QString nom_de_fichier(const QByteArray& disposition) {
  // RFC 2231: filename*0*=UTF-8''..., filename*1*=..., in order.
  static const QRegularExpression morceau(QStringLiteral("filename\\*(?:(\\d+)\\*)?=([^;\\s]*)"),
                                          QRegularExpression::CaseInsensitiveOption);
  QByteArray code;
  int attendu = 0;
  auto it = morceau.globalMatch(QString::fromLatin1(disposition));
  while (it.hasNext()) {
    const auto m = it.next();
    if (!m.captured(1).isEmpty() && m.captured(1).toInt() != attendu) return QStringLiteral("<pieces out of order>");
    ++attendu;
    code += m.captured(2).toLatin1();
  }
  if (!code.isEmpty()) {
    if (!code.startsWith("UTF-8''")) return QStringLiteral("<charset missing>");
    return QString::fromUtf8(QByteArray::fromPercentEncoding(code.mid(7)));
  }
  return QString::fromUtf8(parametre(disposition, "filename"));
}

QString texte_de_partie(const QMap<QByteArray, QByteArray>& entetes, const QByteArray& corps, QStringList& defauts) {
  if (!entetes.value("content-type").startsWith("text/plain; charset=UTF-8"))
    defauts << QStringLiteral("text part is not text/plain UTF-8: ") + QString::fromLatin1(entetes.value("content-type"));
  if (entetes.value("content-transfer-encoding") != "quoted-printable")
    defauts << QStringLiteral("text part is not quoted-printable");
  const QByteArray octets = decode_qp(corps, defauts);
  const QString texte = QString::fromUtf8(octets);
  if (texte.toUtf8() != octets) defauts << QStringLiteral("body is not UTF-8");
  return texte;
}

}  // namespace

FauxSendmail::FauxSendmail(const QString& dossier, int code, const QString& erreur) : dossier_(dossier) {
  QDir().mkpath(dossier);
  chemin_ = dossier + QStringLiteral("/sendmail");
  QFile script(chemin_);
  if (script.open(QIODevice::WriteOnly)) {
    QString s = QStringLiteral(
        "#!/bin/sh\n"
        "d='%1'\n"
        "n=1\n"
        "while [ -e \"$d/argv.$n\" ]; do n=$((n+1)); done\n"
        "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$d/argv.$n\"\n"
        "cat > \"$d/stdin.$n\"\n")
                    .arg(dossier);
    if (!erreur.isEmpty()) s += QStringLiteral("echo '%1' >&2\n").arg(erreur);
    s += QStringLiteral("exit %1\n").arg(code);
    script.write(s.toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  plateforme::CourrielsEnTest::definit_programme(chemin_);
}

int FauxSendmail::nb_envois() const {
  int n = 0;
  while (QFile::exists(dossier_ + QStringLiteral("/argv.%1").arg(n + 1))) ++n;
  return n;
}

QStringList FauxSendmail::arguments(int n) const {
  QByteArray brut = lit(dossier_ + QStringLiteral("/argv.%1").arg(n));
  QStringList args;
  if (brut.isEmpty()) return args;
  brut.chop(1);
  for (const QByteArray& a : brut.split('\0')) args << QString::fromUtf8(a);
  return args;
}

QByteArray FauxSendmail::entree(int n) const { return lit(dossier_ + QStringLiteral("/stdin.%1").arg(n)); }

QString decode_entete(const QByteArray& valeur) {
  // Encoded words; the blanks between two of them do not count.
  static const QRegularExpression mot(QStringLiteral("=\\?([^?]+)\\?([QqBb])\\?([^?]*)\\?="));
  const QString v = QString::fromLatin1(valeur);
  QString sortie;
  qsizetype pos = 0;
  bool apres_mot = false;
  auto it = mot.globalMatch(v);
  while (it.hasNext()) {
    const auto m = it.next();
    const QString entre = v.mid(pos, m.capturedStart() - pos);
    if (!(apres_mot && entre.trimmed().isEmpty())) sortie += entre;
    QByteArray octets;
    const QByteArray code = m.captured(3).toLatin1();
    if (m.captured(2).toUpper() == QLatin1String("B")) {
      octets = QByteArray::fromBase64(code);
    } else {
      for (qsizetype i = 0; i < code.size(); ++i) {
        if (code[i] == '_') {
          octets += ' ';
        } else if (code[i] == '=' && i + 2 < code.size()) {
          octets += static_cast<char>(valeur_hexa(code[i + 1]) * 16 + valeur_hexa(code[i + 2]));
          i += 2;
        } else {
          octets += code[i];
        }
      }
    }
    sortie += m.captured(1).compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0 ? QString::fromUtf8(octets)
                                                                                       : QString::fromLatin1(octets);
    pos = m.capturedEnd();
    apres_mot = true;
  }
  sortie += v.mid(pos);
  return sortie;
}

CourrielLu lit_courriel(const QByteArray& brut) {
  CourrielLu lu;
  QByteArray corps;
  separe(brut, lu.entetes, corps, lu.defauts);
  for (const char* nom : {"from", "to", "subject", "date", "message-id", "mime-version"})
    if (!lu.entetes.contains(nom)) lu.defauts << QStringLiteral("missing header ") + QString::fromLatin1(nom);
  lu.sujet = decode_entete(lu.entetes.value("subject"));
  const QByteArray type = lu.entetes.value("content-type");
  if (!type.startsWith("multipart/mixed")) {
    lu.corps = texte_de_partie(lu.entetes, corps, lu.defauts);
    return lu;
  }
  const QByteArray limite = parametre(type, "boundary");
  if (limite.isEmpty()) {
    lu.defauts << QStringLiteral("multipart without boundary");
    return lu;
  }
  const QByteArray separateur = "\r\n--" + limite;
  QByteArray reste = "\r\n" + corps;
  const qsizetype fin = reste.indexOf(separateur + "--");
  if (fin < 0) lu.defauts << QStringLiteral("multipart without closing boundary");
  reste = reste.left(fin);
  QList<QByteArray> parties;
  qsizetype pos = reste.indexOf(separateur);
  while (pos >= 0) {
    const qsizetype debut = pos + separateur.size() + 2;  // the CRLF after the boundary
    const qsizetype suivant = reste.indexOf(separateur, debut);
    parties << reste.mid(debut, suivant < 0 ? -1 : suivant - debut) + "\r\n";
    pos = suivant;
  }
  for (qsizetype i = 0; i < parties.size(); ++i) {
    QMap<QByteArray, QByteArray> entetes;
    QByteArray contenu;
    separe(parties[i], entetes, contenu, lu.defauts);
    if (i == 0) {
      lu.corps = texte_de_partie(entetes, contenu, lu.defauts);
      continue;
    }
    PieceLue p;
    p.type = entetes.value("content-type").split(';').first().trimmed();
    p.nom_fichier = nom_de_fichier(entetes.value("content-disposition"));
    const QString nom_type = decode_entete(parametre(entetes.value("content-type"), "name"));
    if (nom_type != p.nom_fichier) lu.defauts << QStringLiteral("name and filename differ: ") + nom_type;
    if (!entetes.value("content-disposition").startsWith("attachment"))
      lu.defauts << QStringLiteral("attachment without disposition");
    if (entetes.value("content-transfer-encoding") != "base64") lu.defauts << QStringLiteral("attachment not in base64");
    for (const QByteArray& l : contenu.split('\n'))
      if (l.size() > 78) lu.defauts << QStringLiteral("base64 line too long");
    QByteArray code = contenu;
    code.replace("\r\n", "");
    const auto decode = QByteArray::fromBase64Encoding(code, QByteArray::AbortOnBase64DecodingErrors);
    if (!decode) lu.defauts << QStringLiteral("attachment is not base64");
    p.contenu = decode.decoded;
    lu.pieces << p;
  }
  return lu;
}
