// Text files of the program: Windows-1252, CRLF line ends. A file whose text
// holds a character that Windows-1252 lacks is written in UTF-8 instead; on
// reading, a file that is valid UTF-8 is taken as UTF-8 and any other as
// Windows-1252. Line ends CRLF, LF or CR alone are accepted on reading.
//
// Writing replaces a file through a new file of the same folder, renamed over
// the old one once every byte is on disk: a failure (full disk, folder that
// cannot be written) leaves the old file whole and no new file behind.
//
// Every `erreur` these functions give names the file and the system's reason
// ("Impossible d'écrire le fichier /x/morvandel.ini : No space left on
// device"): it is ready to be shown as it is.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace plateforme {

// Windows-1252 one byte to one character; the five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D) become the characters of the same number, so
// that they are written back unchanged.
QString decode_1252(const QByteArray& octets);
// Characters outside the code page become "?".
QByteArray encode_1252(const QString& texte);
// True when every character of the text has a byte in Windows-1252.
bool tient_en_1252(const QString& texte);
// The bytes of a text file: Windows-1252 when the text fits, else UTF-8.
QByteArray encode_texte(const QString& texte);
// The text of a file's bytes: UTF-8 when they are valid UTF-8, else
// Windows-1252.
QString decode_texte(const QByteArray& octets);

// True when `chemin` names a regular file or a link to one: the only kind
// the readers and writers below take. A folder, a named pipe or a device is
// refused with its cause, before anything is opened or replaced.
bool est_fichier(const QString& chemin);

// The bytes of a file as they stand. False (and `erreur` set) when the file
// cannot be read.
bool lit_octets(const QString& chemin, QByteArray& octets, QString* erreur = nullptr);
// Replaces the file with `octets` through a new file of the same folder,
// renamed over it once every byte is on disk.
bool remplace_fichier(const QString& chemin, const QByteArray& octets, QString* erreur = nullptr);

// The lines of a file, without their line ends. False (and `erreur` set) when
// the file cannot be read.
bool lit_lignes(const QString& chemin, QStringList& lignes, QString* erreur = nullptr);
// The whole file as text.
bool lit_texte(const QString& chemin, QString& texte, QString* erreur = nullptr);

// Writes `lignes`, each followed by CRLF, replacing the file safely.
bool ecrit_lignes(const QString& chemin, const QStringList& lignes, QString* erreur = nullptr);
// Writes the text as it is (line ends already CRLF), replacing the file safely.
bool ecrit_texte(const QString& chemin, const QString& texte, QString* erreur = nullptr);
// Appends the text to the file, creating it when missing. The file is
// replaced like the writers above, by a new file holding its bytes and the
// text: a failed or interrupted append leaves the old file whole. A file in
// Windows-1252 that must take a character the code page lacks is rewritten
// whole in UTF-8.
bool ajoute_texte(const QString& chemin, const QString& texte, QString* erreur = nullptr);

// A file written piece after piece while it is open (the game log). Opening
// empties it. Each piece is checked; after a failure the file keeps what was
// written before it.
class FichierJournal {
 public:
  bool ouvre(const QString& chemin, QString* erreur = nullptr);
  bool ecrit(const QString& texte, QString* erreur = nullptr);
  void ferme() { ouvert_ = false; }
  bool ouvert() const { return ouvert_; }
  const QString& chemin() const { return chemin_; }

 private:
  QString chemin_;
  bool ouvert_ = false;
  bool utf8_ = false;     // the file is in UTF-8
  bool non_ascii_ = false;  // the file holds a byte above 127
};

// A file written piece after piece (as FichierJournal writes) into a new
// file of the same folder, which takes the place of `chemin` only when
// valide() succeeds: until then, and after any failure, a file already at
// `chemin` stays whole. A new file not validated is removed when the object
// goes.
// The two system calls that put a new file in the place of an old one:
// fsync(2) of the open new file, then rename(2) over the old. Each returns 0,
// or the system's error number. In tests DisqueEnTest makes them fail as a
// failing disk would.
int synchronise(int fd);
int renomme(const QByteArray& de, const QByteArray& vers);  // names encoded (QFile::encodeName)
int renomme(const QString& de, const QString& vers);

class DisqueEnTest {
 public:
  // From now on every sync fails with `numero`; 0 makes them succeed again.
  static void synchronisations_en_echec(int numero);
  // The `rang`-th rename from now on (1: the next one) fails with `numero`.
  static void renommage_en_echec(int rang, int numero);
  // Syncs and renames succeed again.
  static void efface();
};

class FichierNeuf {
 public:
  FichierNeuf() = default;
  FichierNeuf(const FichierNeuf&) = delete;
  FichierNeuf& operator=(const FichierNeuf&) = delete;
  ~FichierNeuf() { abandonne(); }

  bool ouvre(const QString& chemin, QString* erreur = nullptr);
  bool ecrit(const QString& texte, QString* erreur = nullptr);
  // Puts the new file on disk and renames it over `chemin`.
  bool valide(QString* erreur = nullptr);
  // Removes the new file; `chemin` is left as it was.
  void abandonne();

 private:
  FichierJournal journal_;
  QString chemin_;
  QByteArray provisoire_;
};

}  // namespace plateforme
