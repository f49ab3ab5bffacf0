#include "platform/fichiers_texte.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>
#include <cstring>

#include "platform/langue_messages.h"

namespace plateforme {

namespace {
int echec_synchronisation = 0;
int rang_renommage_en_echec = 0;  // 0: none
int echec_renommage = 0;
}  // namespace

int synchronise(int fd) {
  if (echec_synchronisation != 0) return echec_synchronisation;
  return ::fsync(fd) == 0 ? 0 : errno;
}

int renomme(const QByteArray& de, const QByteArray& vers) {
  if (rang_renommage_en_echec > 0 && --rang_renommage_en_echec == 0) return echec_renommage;
  return ::rename(de.constData(), vers.constData()) == 0 ? 0 : errno;
}

int renomme(const QString& de, const QString& vers) { return renomme(QFile::encodeName(de), QFile::encodeName(vers)); }

void DisqueEnTest::synchronisations_en_echec(int numero) { echec_synchronisation = numero; }

void DisqueEnTest::renommage_en_echec(int rang, int numero) {
  rang_renommage_en_echec = rang;
  echec_renommage = numero;
}

void DisqueEnTest::efface() {
  echec_synchronisation = 0;
  rang_renommage_en_echec = 0;
  echec_renommage = 0;
}

namespace {
// The 32 characters of 0x80..0x9F in Windows-1252; the five bytes the code
// page leaves undefined keep their own number.
const char16_t table_80_9f[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte of a character in Windows-1252, or -1.
int octet_1252(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
  for (int i = 0; i < 32; ++i)
    if (table_80_9f[i] == u) return 0x80 + i;
  return -1;
}

bool tout_ascii(const QString& texte) {
  for (QChar c : texte)
    if (c.unicode() >= 0x80) return false;
  return true;
}

bool octets_ascii(const QByteArray& octets) {
  for (char c : octets)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// The text of valid UTF-8; false for any other bytes.
bool lit_utf8(const QByteArray& octets, QString& texte) {
  QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString s = d.decode(octets);
  if (d.hasError()) return false;
  texte = std::move(s);
  return true;
}

QString natif(const QString& chemin) { return QDir::toNativeSeparators(chemin); }
QString raison(int numero) { return QString::fromLocal8Bit(std::strerror(numero)); }

bool echec(QString* erreur, const QString& texte) {
  if (erreur) *erreur = texte;
  return false;
}
bool echec_ecriture(QString* erreur, const QString& chemin, const QString& pourquoi) {
  return echec(erreur, texte_message(806).arg(natif(chemin), pourquoi));
}

// Why the file doors refuse what `st` describes: empty for a regular file.
// A named pipe would hold the program in open() or read(), a device would
// be read without end or replaced by a file.
QString refus_nature(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return {};
  if (S_ISDIR(st.st_mode)) return raison(EISDIR);
  return texte_message(930);
}

// Opens the regular file `nom` with `drapeaux`. What stands there is judged
// before the open, and again once open: the open itself never waits
// (O_NONBLOCK), so that a named pipe put there in between cannot hold it;
// the file then reads and writes as any other. -1, with `pourquoi`, when
// it cannot be opened or is no regular file.
int ouvre_fichier(const QByteArray& nom, int drapeaux, QString& pourquoi) {
  struct stat st {};
  pourquoi = ::stat(nom.constData(), &st) == 0 ? refus_nature(st) : QString();  // nothing there: open() says
  if (!pourquoi.isEmpty()) return -1;
  const int fd = ::open(nom.constData(), drapeaux | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    pourquoi = raison(errno);
    return -1;
  }
  pourquoi = ::fstat(fd, &st) != 0 ? raison(errno) : refus_nature(st);
  if (pourquoi.isEmpty()) {
    const int etat = ::fcntl(fd, F_GETFL);
    if (etat < 0 || ::fcntl(fd, F_SETFL, etat & ~O_NONBLOCK) != 0) pourquoi = raison(errno);
  }
  if (pourquoi.isEmpty()) return fd;
  ::close(fd);
  return -1;
}

// write() until every byte is written; false with errno set otherwise.
bool ecrit_tout(int fd, const QByteArray& octets) {
  qsizetype fait = 0;
  while (fait < octets.size()) {
    const ssize_t n = ::write(fd, octets.constData() + fait, static_cast<size_t>(octets.size() - fait));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    fait += n;
  }
  return true;
}

// The temporary file beside a file that is written whole before it takes
// that file's place (a link is followed: the file it points to is replaced).
struct Remplacement {
  QFileInfo info;         // the file replaced
  QByteArray cible;       // its path, encoded
  QByteArray provisoire;  // the temporary file, open as `fd`
  int fd = -1;
  bool existe = false;  // and then `st` describes it
  struct stat st {};
};

// False, with the reason, when `chemin` names anything but a regular file
// (a folder, a named pipe, a device) or a file protected against writing
// (it stays as it is).
bool verifie_cible(const QString& chemin, Remplacement& r, QString* erreur) {
  if (chemin.isEmpty()) return echec_ecriture(erreur, chemin, raison(ENOENT));
  r.info = QFileInfo(chemin);
  if (r.info.isSymLink()) r.info = QFileInfo(r.info.symLinkTarget());
  r.cible = QFile::encodeName(r.info.absoluteFilePath());
  r.existe = ::stat(r.cible.constData(), &r.st) == 0;
  if (r.existe) {
    const QString pourquoi = refus_nature(r.st);
    if (!pourquoi.isEmpty()) return echec_ecriture(erreur, chemin, pourquoi);
  }
  if (r.existe && ::access(r.cible.constData(), W_OK) != 0) return echec_ecriture(erreur, chemin, raison(errno));
  return true;
}

// Opens the temporary file; false, with the reason, when the folder takes no
// new file.
bool cree_provisoire(const QString& chemin, Remplacement& r, QString* erreur) {
  const QString dossier = r.info.absolutePath();
  r.provisoire = QFile::encodeName(dossier + QStringLiteral("/.") + r.info.fileName()) + ".XXXXXX";
  r.fd = ::mkostemp(r.provisoire.data(), O_CLOEXEC);
  if (r.fd < 0) {
    const int numero = errno;
    return echec_ecriture(
        erreur, chemin,
        texte_message(807).arg(natif(dossier), raison(numero)));
  }
  return true;
}

// The permissions of a file that takes another's place: the old one's, or
// those of any new file.
mode_t mode_remplacant(bool existe, const struct stat& st) {
  if (existe) return st.st_mode & 07777;
  const mode_t masque = ::umask(0);
  ::umask(masque);
  return 0666 & ~masque;
}

// Gives the temporary file up after the failure `numero`: the file replaced
// stays as it was.
bool abandonne(Remplacement& r, int numero, const QString& chemin, QString* erreur) {
  if (r.fd >= 0) ::close(r.fd);
  r.fd = -1;
  ::unlink(r.provisoire.constData());
  return echec_ecriture(erreur, chemin, raison(numero));
}

// Writes `octets` at the end of the temporary file, gives it `mode`, puts it
// on disk and renames it over the file replaced.
bool acheve_remplacement(Remplacement& r, const QByteArray& octets, mode_t mode, const QString& chemin,
                         QString* erreur) {
  if (!ecrit_tout(r.fd, octets)) return abandonne(r, errno, chemin, erreur);
  ::fchmod(r.fd, mode);
  if (const int numero = synchronise(r.fd)) return abandonne(r, numero, chemin, erreur);
  const int fd = r.fd;
  r.fd = -1;
  if (::close(fd) != 0) return abandonne(r, errno, chemin, erreur);
  if (const int numero = renomme(r.provisoire, r.cible)) return abandonne(r, numero, chemin, erreur);
  return true;
}

}  // namespace

bool est_fichier(const QString& chemin) {
  struct stat st {};
  return !chemin.isEmpty() && ::stat(QFile::encodeName(chemin).constData(), &st) == 0 && refus_nature(st).isEmpty();
}

bool lit_octets(const QString& chemin, QByteArray& octets, QString* erreur) {
  auto refus = [&](const QString& pourquoi) {
    return echec(erreur, texte_message(808).arg(natif(chemin), pourquoi));
  };
  if (chemin.isEmpty()) return refus(raison(ENOENT));
  QString pourquoi;
  const int fd = ouvre_fichier(QFile::encodeName(chemin), O_RDONLY, pourquoi);
  if (fd < 0) return refus(pourquoi);
  QByteArray lu;
  char tampon[65536];
  while (true) {
    const ssize_t n = ::read(fd, tampon, sizeof tampon);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int numero = errno;
      ::close(fd);
      return refus(raison(numero));
    }
    if (n == 0) break;
    lu.append(tampon, n);
  }
  ::close(fd);
  octets = std::move(lu);
  return true;
}

bool remplace_fichier(const QString& chemin, const QByteArray& octets, QString* erreur) {
  Remplacement r;
  if (!verifie_cible(chemin, r, erreur) || !cree_provisoire(chemin, r, erreur)) return false;
  return acheve_remplacement(r, octets, mode_remplacant(r.existe, r.st), chemin, erreur);
}

namespace {

// Appends `octets`; a failure takes back what was written, and removes the
// file when the append created it.
bool ajoute_octets(const QString& chemin, const QByteArray& octets, QString* erreur) {
  if (chemin.isEmpty()) return echec_ecriture(erreur, chemin, raison(ENOENT));
  const QByteArray nom = QFile::encodeName(chemin);
  struct stat st {};
  const bool existait = ::stat(nom.constData(), &st) == 0;
  QString pourquoi;
  const int fd = ouvre_fichier(nom, O_WRONLY | O_APPEND | O_CREAT, pourquoi);
  if (fd < 0) return echec_ecriture(erreur, chemin, pourquoi);
  if (::fstat(fd, &st) != 0) st.st_size = 0;
  const off_t taille = st.st_size;
  if (!ecrit_tout(fd, octets)) {
    const int numero = errno;
    if (existait) {
      if (::ftruncate(fd, taille) != 0) {
        // Nothing more can be done: the error below is what the user needs.
      }
      ::close(fd);
    } else {
      ::close(fd);
      ::unlink(nom.constData());
    }
    return echec_ecriture(erreur, chemin, raison(numero));
  }
  if (::close(fd) != 0) return echec_ecriture(erreur, chemin, raison(errno));
  return true;
}

}  // namespace

QString decode_1252(const QByteArray& octets) {
  QString s;
  s.reserve(octets.size());
  for (char c : octets) {
    const unsigned char u = static_cast<unsigned char>(c);
    s.append(QChar(u >= 0x80 && u <= 0x9F ? table_80_9f[u - 0x80] : char16_t(u)));
  }
  return s;
}

QByteArray encode_1252(const QString& texte) {
  QByteArray out;
  out.reserve(texte.size());
  for (QChar ch : texte) {
    const int o = octet_1252(ch.unicode());
    out.append(o < 0 ? '?' : static_cast<char>(o));
  }
  return out;
}

bool tient_en_1252(const QString& texte) {
  for (QChar ch : texte)
    if (octet_1252(ch.unicode()) < 0) return false;
  return true;
}

QByteArray encode_texte(const QString& texte) {
  if (tient_en_1252(texte)) {
    // Windows-1252 bytes that happen to be valid UTF-8 ("Ï‡" is CF 87, "χ"
    // in UTF-8) would be read back as another text: those go as UTF-8.
    QByteArray octets = encode_1252(texte);
    QString relu;
    if (octets_ascii(octets) || !lit_utf8(octets, relu)) return octets;
  }
  return texte.toUtf8();
}

QString decode_texte(const QByteArray& octets) {
  QString texte;
  if (lit_utf8(octets, texte)) return texte;
  return decode_1252(octets);
}

bool lit_texte(const QString& chemin, QString& texte, QString* erreur) {
  QByteArray octets;
  if (!lit_octets(chemin, octets, erreur)) return false;
  texte = decode_texte(octets);
  return true;
}

bool lit_lignes(const QString& chemin, QStringList& lignes, QString* erreur) {
  QString texte;
  if (!lit_texte(chemin, texte, erreur)) return false;
  texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  lignes = texte.split(QLatin1Char('\n'));
  if (!lignes.isEmpty() && lignes.last().isEmpty()) lignes.removeLast();
  return true;
}

bool ecrit_texte(const QString& chemin, const QString& texte, QString* erreur) {
  return remplace_fichier(chemin, encode_texte(texte), erreur);
}

bool ecrit_lignes(const QString& chemin, const QStringList& lignes, QString* erreur) {
  QString texte;
  for (const QString& l : lignes) texte += l + QStringLiteral("\r\n");
  return ecrit_texte(chemin, texte, erreur);
}

namespace {

// Appends through a new file: the old file's bytes copied, then `octets`,
// the whole renamed over the old file once on disk. A writer stopped at any
// moment leaves the old file whole; the memory used does not grow with the
// file.
bool ajoute_par_copie(const QString& chemin, const QByteArray& octets, QString* erreur) {
  Remplacement r;
  if (!verifie_cible(chemin, r, erreur)) return false;
  if (!r.existe) return remplace_fichier(chemin, octets, erreur);
  QString pourquoi;
  const int source = ouvre_fichier(r.cible, O_RDONLY, pourquoi);
  if (source < 0) return echec_ecriture(erreur, chemin, pourquoi);
  if (!cree_provisoire(chemin, r, erreur)) {
    ::close(source);
    return false;
  }
  QByteArray tampon(1 << 16, Qt::Uninitialized);
  while (true) {
    const ssize_t n = ::read(source, tampon.data(), static_cast<size_t>(tampon.size()));
    if (n < 0) {
      if (errno == EINTR) continue;
      const int numero = errno;
      ::close(source);
      return abandonne(r, numero, chemin, erreur);
    }
    if (n == 0) break;
    if (!ecrit_tout(r.fd, QByteArray::fromRawData(tampon.constData(), n))) {
      const int numero = errno;
      ::close(source);
      return abandonne(r, numero, chemin, erreur);
    }
  }
  ::close(source);
  return acheve_remplacement(r, octets, r.st.st_mode & 07777, chemin, erreur);
}

}  // namespace

bool ajoute_texte(const QString& chemin, const QString& texte, QString* erreur) {
  if (tout_ascii(texte)) return ajoute_par_copie(chemin, texte.toLatin1(), erreur);
  // The encoding of what the file already holds decides; a file that cannot
  // be read is taken as empty (the append then says what is wrong).
  QByteArray avant;
  if (!lit_octets(chemin, avant, nullptr) || octets_ascii(avant))
    return ajoute_par_copie(chemin, encode_texte(texte), erreur);
  QString ancien;
  if (lit_utf8(avant, ancien)) return ajoute_par_copie(chemin, texte.toUtf8(), erreur);
  if (tient_en_1252(texte)) return ajoute_par_copie(chemin, encode_1252(texte), erreur);
  return remplace_fichier(chemin, (decode_1252(avant) + texte).toUtf8(), erreur);
}

bool FichierJournal::ouvre(const QString& chemin, QString* erreur) {
  ouvert_ = false;
  chemin_ = chemin;
  utf8_ = non_ascii_ = false;
  if (chemin.isEmpty()) return echec_ecriture(erreur, chemin, raison(ENOENT));
  QString pourquoi;
  const int fd = ouvre_fichier(QFile::encodeName(chemin), O_WRONLY | O_CREAT | O_TRUNC, pourquoi);
  if (fd < 0) return echec_ecriture(erreur, chemin, pourquoi);
  if (::close(fd) != 0) return echec_ecriture(erreur, chemin, raison(errno));
  ouvert_ = true;
  return true;
}

bool FichierJournal::ecrit(const QString& texte, QString* erreur) {
  if (!ouvert_) return echec_ecriture(erreur, chemin_, raison(EBADF));
  if (tout_ascii(texte)) return ajoute_octets(chemin_, texte.toLatin1(), erreur);
  if (!utf8_ && tient_en_1252(texte)) {
    if (!ajoute_octets(chemin_, encode_1252(texte), erreur)) return false;
    non_ascii_ = true;
    return true;
  }
  if (utf8_ || !non_ascii_) {
    if (!ajoute_octets(chemin_, texte.toUtf8(), erreur)) return false;
    utf8_ = non_ascii_ = true;
    return true;
  }
  // Windows-1252 so far: the whole file goes over to UTF-8.
  QByteArray avant;
  if (!lit_octets(chemin_, avant, erreur)) return false;
  if (!remplace_fichier(chemin_, (decode_1252(avant) + texte).toUtf8(), erreur)) return false;
  utf8_ = true;
  return true;
}

bool FichierNeuf::ouvre(const QString& chemin, QString* erreur) {
  abandonne();
  Remplacement r;
  const bool pret = verifie_cible(chemin, r, erreur) && cree_provisoire(chemin, r, erreur);
  if (!r.cible.isEmpty()) chemin_ = QFile::decodeName(r.cible);
  if (!pret) return false;
  ::close(r.fd);
  provisoire_ = r.provisoire;
  if (!journal_.ouvre(QFile::decodeName(provisoire_), erreur)) {
    abandonne();
    return false;
  }
  return true;
}

bool FichierNeuf::ecrit(const QString& texte, QString* erreur) {
  if (provisoire_.isEmpty()) return echec_ecriture(erreur, chemin_, raison(EBADF));
  if (journal_.ecrit(texte, erreur)) return true;
  // The message names the file the user chose, not the new one.
  if (erreur) erreur->replace(natif(QFile::decodeName(provisoire_)), natif(chemin_));
  return false;
}

bool FichierNeuf::valide(QString* erreur) {
  if (provisoire_.isEmpty()) return echec_ecriture(erreur, chemin_, raison(EBADF));
  const QByteArray nom = QFile::encodeName(chemin_);
  auto echoue = [&](int numero) {
    abandonne();
    return echec_ecriture(erreur, chemin_, raison(numero));
  };
  const int fd = ::open(provisoire_.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return echoue(errno);
  struct stat st {};
  const bool existe = ::stat(nom.constData(), &st) == 0;
  ::fchmod(fd, mode_remplacant(existe, st));
  if (const int numero = synchronise(fd)) {
    ::close(fd);
    return echoue(numero);
  }
  ::close(fd);
  if (const int numero = renomme(provisoire_, nom)) return echoue(numero);
  provisoire_.clear();
  journal_.ferme();
  return true;
}

void FichierNeuf::abandonne() {
  journal_.ferme();
  if (provisoire_.isEmpty()) return;
  ::unlink(provisoire_.constData());
  provisoire_.clear();
}

}  // namespace plateforme
