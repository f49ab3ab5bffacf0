#include "platform/fichiers_texte.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace plateforme {

namespace {
// The 32 characters of 0x80..0x9F in Windows-1252 (0 where undefined).
const char16_t table_80_9f[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
}  // namespace

QString decode_1252(const QByteArray& octets) {
  QStringDecoder dec("windows-1252");
  if (dec.isValid()) return dec.decode(octets);
  QString s;
  s.reserve(octets.size());
  for (char c : octets) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x80 && u <= 0x9F && table_80_9f[u - 0x80])
      s.append(QChar(table_80_9f[u - 0x80]));
    else
      s.append(QChar(u));
  }
  return s;
}

QByteArray encode_1252(const QString& texte) {
  QByteArray out;
  out.reserve(texte.size());
  for (QChar ch : texte) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out.append(static_cast<char>(u));
      continue;
    }
    char o = '?';
    for (int i = 0; i < 32; ++i)
      if (table_80_9f[i] == u && u != 0) o = static_cast<char>(0x80 + i);
    out.append(o);
  }
  return out;
}

bool lit_texte(const QString& chemin, QString& texte, QString* erreur) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) {
    if (erreur) *erreur = f.errorString();
    return false;
  }
  texte = decode_1252(f.readAll());
  return true;
}

bool lit_lignes(const QString& chemin, QStringList& lignes, QString* erreur) {
  QString texte;
  if (!lit_texte(chemin, texte, erreur)) return false;
  texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lignes = texte.split(QLatin1Char('\n'));
  if (!lignes.isEmpty() && lignes.last().isEmpty()) lignes.removeLast();
  for (QString& l : lignes)
    if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
  return true;
}

bool ecrit_texte(const QString& chemin, const QString& texte, QString* erreur) {
  QSaveFile f(chemin);
  if (!f.open(QIODevice::WriteOnly)) {
    if (erreur) *erreur = f.errorString();
    return false;
  }
  f.write(encode_1252(texte));
  if (!f.commit()) {
    if (erreur) *erreur = f.errorString();
    return false;
  }
  return true;
}

bool ecrit_lignes(const QString& chemin, const QStringList& lignes, QString* erreur) {
  QString texte;
  for (const QString& l : lignes) texte += l + QStringLiteral("\r\n");
  return ecrit_texte(chemin, texte, erreur);
}

bool ajoute_texte(const QString& chemin, const QString& texte, QString* erreur) {
  QFile f(chemin);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) {
    if (erreur) *erreur = f.errorString();
    return false;
  }
  const QByteArray octets = encode_1252(texte);
  if (f.write(octets) != octets.size()) {
    if (erreur) *erreur = f.errorString();
    return false;
  }
  return true;
}

}  // namespace plateforme
