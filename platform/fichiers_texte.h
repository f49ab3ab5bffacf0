// Text files of the program: Windows-1252, CRLF line ends (LF accepted on
// reading). A file the user may lose is written whole to a new file that then
// replaces the old one.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace plateforme {

QString decode_1252(const QByteArray& octets);
// Characters outside the code page become "?".
QByteArray encode_1252(const QString& texte);

// The lines of a file, without their line ends. False (and `erreur` set) when
// the file cannot be read.
bool lit_lignes(const QString& chemin, QStringList& lignes, QString* erreur = nullptr);
// The whole file as text.
bool lit_texte(const QString& chemin, QString& texte, QString* erreur = nullptr);

// Writes `lignes`, each followed by CRLF, replacing the file safely.
bool ecrit_lignes(const QString& chemin, const QStringList& lignes, QString* erreur = nullptr);
// Writes the text as it is (line ends already CRLF), replacing the file safely.
bool ecrit_texte(const QString& chemin, const QString& texte, QString* erreur = nullptr);
// Appends the text to the file, creating it when missing.
bool ajoute_texte(const QString& chemin, const QString& texte, QString* erreur = nullptr);

}  // namespace plateforme
