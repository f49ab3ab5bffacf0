// Text files: encodings, line ends, and what a failed write leaves behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "platform/fichiers_texte.h"
#include "platform/langue_messages.h"
#include "tests/common/aide_tests.h"

using namespace plateforme;

namespace {

class FichiersTexte : public TestMorvandel {
 protected:
  QString f(const QString& nom) const { return dossier() + "/" + nom; }
  static QByteArray brut(const QString& chemin) { return octets_fichier(chemin, "<absent>"); }
  static void pose(const QString& chemin, const QByteArray& octets) { ecrit_octets(chemin, octets); }
  // The files of the test's folder, hidden ones included.
  QStringList fichiers() const {
    return QDir(dossier()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
  }
};

QString systeme(int numero) { return QString::fromLocal8Bit(std::strerror(numero)); }

// Every way the program replaces a file: a whole text, an append, a new
// file written piece by piece.
struct Ecrivain {
  const char* quoi;
  std::function<bool(const QString& chemin, QString* erreur)> ecrit;
  QByteArray apres;  // what the file holds after it
  QByteArray avant = "ancien";  // what the file holds before it
};
const Ecrivain ECRIVAINS[] = {
    {"replace", [](const QString& c, QString* e) { return ecrit_texte(c, "neuf\r\n", e); }, "neuf\r\n"},
    {"append", [](const QString& c, QString* e) { return ajoute_texte(c, "suite\r\n", e); }, "anciensuite\r\n"},
    {"append going over to UTF-8", [](const QString& c, QString* e) { return ajoute_texte(c, "Жанна", e); },
     QString("ancienéЖанна").toUtf8(), "ancien\xE9"},
    {"new file",
     [](const QString& c, QString* e) {
       FichierNeuf n;
       return n.ouvre(c, e) && n.ecrit("neuf\r\n", e) && n.valide(e);
     },
     "neuf\r\n"},
};

mode_t mode_de(const QString& chemin) {
  struct stat st {};
  if (::lstat(QFile::encodeName(chemin).constData(), &st) != 0) return 0;
  return st.st_mode;
}

TEST_F(FichiersTexte, ATextIsWrittenInWindows1252WhenItFitsElseInUtf8AndReadBack) {
  struct Cas {
    QString texte;
    QByteArray octets;
  };
  const Cas cas[] = {
      {"Échec au Roi !\r\n", "\xC9" "chec au Roi !\r\n"},
      {"€ – œ Ÿ\r\n", "\x80 \x96 \x9C \x9F\r\n"},
      {"Иван Петров\r\n", "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2\r\n"},
      // One character outside the code page puts the whole text in UTF-8.
      {"Łódź é\r\n", "\xC5\x81\xC3\xB3\x64\xC5\xBA \xC3\xA9\r\n"},
      {"plain\r\n", "plain\r\n"},
      // Windows-1252 bytes that would read as UTF-8 ("Ï‡" is CF 87, "χ") go
      // as UTF-8, so the text reads back as it was.
      {"versionÏ‡ml\r\n", "version\xC3\x8F\xE2\x80\xA1ml\r\n"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.texte.toStdString());
    ASSERT_TRUE(ecrit_texte(f("essai.txt"), c.texte));
    EXPECT_EQ(brut(f("essai.txt")), c.octets);
    QString lu;
    ASSERT_TRUE(lit_texte(f("essai.txt"), lu));
    EXPECT_EQ(lu, c.texte);
  }
}

TEST_F(FichiersTexte, ReadersTakeValidUtf8AsUtf8AnyOtherBytesAsWindows1252AndEveryLineEnd) {
  struct Cas {
    QByteArray octets;
    QStringList lignes;
  };
  const Cas cas[] = {
      {"a\rb\rc\r", {"a", "b", "c"}},
      {"a\r\rb\r\nc\nd", {"a", "", "b", "c", "d"}},
      {"\xC5\xBB\xC3\xB3\xC5\x82w\r\n", {"Żółw"}},
      {"\xE9t\xE9\r\n", {"été"}},
      // A byte sequence that begins UTF-8 but breaks off is Windows-1252.
      {"caf\xC3", {"caf\xC3\x83"}},
      {"\xEF\xBB\xBFNOM=Жанна\r\n", {"NOM=Жанна"}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.octets.toStdString());
    pose(f("lu.txt"), c.octets);
    QStringList lignes;
    ASSERT_TRUE(lit_lignes(f("lu.txt"), lignes));
    EXPECT_EQ(lignes, c.lignes);
  }
}

TEST_F(FichiersTexte, AWindows1252FileIsWrittenBackByteForByteEvenItsUndefinedBytes) {
  QByteArray tous;
  for (int o = 1; o < 256; ++o)
    if (o != '\r' && o != '\n') tous.append(static_cast<char>(o));
  tous += "\r\n";
  pose(f("tous.txt"), tous);
  QStringList lignes;
  ASSERT_TRUE(lit_lignes(f("tous.txt"), lignes));
  ASSERT_TRUE(ecrit_lignes(f("copie.txt"), lignes));
  EXPECT_EQ(brut(f("copie.txt")), tous);
}

TEST_F(FichiersTexte, AnAppendKeepsTheFileInOneEncoding) {
  // Windows-1252 so far, then a line that needs UTF-8: the file goes over.
  ASSERT_TRUE(ajoute_texte(f("a.log"), "Évaluation\r\n"));
  EXPECT_EQ(brut(f("a.log")), "\xC9valuation\r\n");
  ASSERT_TRUE(ajoute_texte(f("a.log"), "Ольга\r\n"));
  ASSERT_TRUE(ajoute_texte(f("a.log"), "Hélène\r\n"));
  EXPECT_EQ(brut(f("a.log")), QString("Évaluation\r\nОльга\r\nHélène\r\n").toUtf8());
  // The game log does the same while it is open.
  FichierJournal journal;
  ASSERT_TRUE(journal.ouvre(f("a.log")));
  EXPECT_EQ(brut(f("a.log")), "");
  for (const char* ligne : {"-> Début\r\n", "e4 e5\r\n", "Блиц\r\n", "fin é\r\n"}) ASSERT_TRUE(journal.ecrit(ligne));
  EXPECT_EQ(brut(f("a.log")), QString("-> Début\r\ne4 e5\r\nБлиц\r\nfin é\r\n").toUtf8());
}

TEST_F(FichiersTexte, ANewFileTakesThePlaceOfTheOldOneOnlyOnceValidated) {
  pose(f("c.pgn"), "ancien");
  for (bool valide : {false, true}) {
    SCOPED_TRACE(valide);
    {
      FichierNeuf n;
      ASSERT_TRUE(n.ouvre(f("c.pgn")));
      ASSERT_TRUE(n.ecrit("Hélène\r\n"));
      ASSERT_TRUE(n.ecrit("Ольга\r\n"));
      EXPECT_EQ(brut(f("c.pgn")), "ancien") << "the old file stays while the new one is written";
      if (valide) {
        ASSERT_TRUE(n.valide());
      }
    }
    EXPECT_EQ(brut(f("c.pgn")), valide ? QString("Hélène\r\nОльга\r\n").toUtf8() : QByteArray("ancien"));
    EXPECT_EQ(fichiers(), QStringList{"c.pgn"}) << "no new file left beside it";
  }
}

TEST_F(FichiersTexte, AWriteThatFailsPartWayKeepsTheOldFileWholeAndSaysWhy) {
  const QByteArray ancien(1000, 'a');
  pose(f("r.ini"), ancien);
  pose(f("j.log"), "debut\r\n");
  const QString long_texte(5000, QLatin1Char('b'));
  const QString attendu = plateforme::texte_message(806).arg(QStringLiteral("%1"), systeme(EFBIG));
  struct Cas {
    const char* quoi;
    std::function<bool(QString*)> ecrit;
    QString fichier;
  };
  const Cas cas[] = {
      {"replace", [&](QString* e) { return ecrit_texte(f("r.ini"), long_texte, e); }, f("r.ini")},
      {"create", [&](QString* e) { return ecrit_lignes(f("neuf.ini"), {long_texte}, e); }, f("neuf.ini")},
      {"append", [&](QString* e) { return ajoute_texte(f("j.log"), long_texte, e); }, f("j.log")},
      {"append to a new file", [&](QString* e) { return ajoute_texte(f("n.log"), long_texte, e); }, f("n.log")},
      {"append going over to UTF-8",
       [&](QString* e) {
         pose(f("u.log"), "\xE9t\xE9\r\n");
         return ajoute_texte(f("u.log"), long_texte + "Ж", e);
       },
       f("u.log")},
      {"new file for an old one",
       [&](QString* e) {
         FichierNeuf n;
         return n.ouvre(f("r.ini"), e) && n.ecrit("debut\r\n", e) && n.ecrit(long_texte, e) && n.valide(e);
       },
       f("r.ini")},
      {"log line",
       [&](QString* e) {
         FichierJournal j;
         return j.ouvre(f("p.log"), e) && j.ecrit("premier\r\n", e) && j.ecrit(long_texte, e);
       },
       f("p.log")},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.quoi);
    const QStringList avant = fichiers();
    const QByteArray contenu = brut(c.fichier);
    const QString rapport = dans_un_enfant(
        [&] {
          QString erreur;
          const bool ok = c.ecrit(&erreur);
          return QString(ok ? "ok" : "refused") + "|" + erreur;
        },
        2000);
    EXPECT_EQ(rapport, "refused|" + attendu.arg(QDir::toNativeSeparators(c.fichier)));
    if (QString(c.quoi) == "log line")
      EXPECT_EQ(brut(c.fichier), "premier\r\n");
    else if (QString(c.quoi) != "append going over to UTF-8")
      EXPECT_EQ(brut(c.fichier), contenu);
    else
      EXPECT_EQ(brut(c.fichier), "\xE9t\xE9\r\n");
    // No new file, no temporary file left beside it.
    QStringList apres = fichiers();
    apres.removeAll("u.log");
    apres.removeAll("p.log");
    QStringList attendus = avant;
    attendus.removeAll("u.log");
    attendus.removeAll("p.log");
    EXPECT_EQ(apres, attendus);
  }
}

TEST_F(FichiersTexte, ErrorsNameTheFileOnceAndTheRealCause) {
  // Permissions apply to the child even when the tests run as root.
  ASSERT_EQ(::chmod(QFile::encodeName(dossier()).constData(), 0777), 0);
  ASSERT_TRUE(QDir(dossier()).mkdir("protege"));
  pose(f("protege/ecrivable.ini"), "A=1\r\n");
  ASSERT_EQ(::chmod(QFile::encodeName(f("protege/ecrivable.ini")).constData(), 0666), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(f("protege")).constData(), 0555), 0);
  pose(f("lecture_seule.ini"), "A=1\r\n");
  ASSERT_EQ(::chmod(QFile::encodeName(f("lecture_seule.ini")).constData(), 0444), 0);
  pose(f("illisible.ini"), "A=1\r\n");
  ASSERT_EQ(::chmod(QFile::encodeName(f("illisible.ini")).constData(), 0200), 0);
  ASSERT_TRUE(QDir(dossier()).mkdir("dossier.log"));

  auto natif = [&](const QString& nom) { return QDir::toNativeSeparators(f(nom)); };
  auto ecrire = [](const QString& fichier, const QString& pourquoi) {
    return plateforme::texte_message(806).arg(fichier, pourquoi);
  };
  auto lire = [](const QString& fichier, const QString& pourquoi) {
    return plateforme::texte_message(808).arg(fichier, pourquoi);
  };
  auto dossier_ferme = [](const QString& dossier, const QString& pourquoi) {
    return plateforme::texte_message(807).arg(dossier, pourquoi);
  };
  struct Cas {
    const char* quoi;
    std::function<bool(QString*)> travail;
    QString erreur;
  };
  const Cas cas[] = {
      {"writable file in a read-only folder",
       [&](QString* e) { return ecrit_texte(f("protege/ecrivable.ini"), "A=2\r\n", e); },
       ecrire(natif("protege/ecrivable.ini"), dossier_ferme(natif("protege"), systeme(EACCES)))},
      {"read-only file", [&](QString* e) { return ecrit_texte(f("lecture_seule.ini"), "A=2\r\n", e); },
       ecrire(natif("lecture_seule.ini"), systeme(EACCES))},
      {"unreadable file",
       [&](QString* e) {
         QStringList l;
         return lit_lignes(f("illisible.ini"), l, e);
       },
       lire(natif("illisible.ini"), systeme(EACCES))},
      {"log that is a folder", [&](QString* e) { return ajoute_texte(f("dossier.log"), "x\r\n", e); },
       ecrire(natif("dossier.log"), systeme(EISDIR))},
      {"settings that are a folder", [&](QString* e) { return ecrit_texte(f("dossier.log"), "x\r\n", e); },
       ecrire(natif("dossier.log"), systeme(EISDIR))},
      {"game log that is a folder",
       [&](QString* e) {
         FichierJournal j;
         return j.ouvre(f("dossier.log"), e);
       },
       ecrire(natif("dossier.log"), systeme(EISDIR))},
      {"missing folder", [&](QString* e) { return ecrit_texte(f("absent/m.ini"), "x", e); },
       ecrire(natif("absent/m.ini"), dossier_ferme(natif("absent"), systeme(ENOENT)))},
      {"missing file",
       [&](QString* e) {
         QString t;
         return lit_texte(f("absent.txt"), t, e);
       },
       lire(natif("absent.txt"), systeme(ENOENT))},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.quoi);
    const QString rapport = dans_un_enfant(
        [&] {
          QString erreur;
          const bool ok = c.travail(&erreur);
          return QString(ok ? "ok" : "refused") + "|" + erreur;
        },
        -1, true);
    EXPECT_EQ(rapport, "refused|" + c.erreur);
  }
  EXPECT_EQ(brut(f("protege/ecrivable.ini")), "A=1\r\n");
  EXPECT_EQ(brut(f("lecture_seule.ini")), "A=1\r\n");
  ::chmod(QFile::encodeName(f("protege")).constData(), 0755);
}

TEST_F(FichiersTexte, AFileReplacedKeepsItsPermissions) {
  for (const Ecrivain& w : ECRIVAINS) {
    for (mode_t mode : {0600, 0640, 0604}) {
      SCOPED_TRACE(std::string(w.quoi) + " " + std::to_string(mode));
      pose(f("droits.txt"), w.avant);
      ASSERT_EQ(::chmod(QFile::encodeName(f("droits.txt")).constData(), mode), 0);
      QString erreur;
      ASSERT_TRUE(w.ecrit(f("droits.txt"), &erreur)) << erreur.toStdString();
      EXPECT_EQ(brut(f("droits.txt")), w.apres);
      EXPECT_EQ(mode_de(f("droits.txt")) & 07777, mode);
    }
  }
}

TEST_F(FichiersTexte, WritingThroughALinkWritesItsTargetAndKeepsTheLink) {
  ASSERT_TRUE(QDir(dossier()).mkdir("ailleurs"));
  for (const Ecrivain& w : ECRIVAINS) {
    for (const char* vers : {"ailleurs/cible.ini", "../ailleurs/cible.ini"}) {
      SCOPED_TRACE(std::string(w.quoi) + " -> " + vers);
      ASSERT_TRUE(QDir(dossier()).mkpath("ici"));
      pose(f("ailleurs/cible.ini"), w.avant);
      QFile::remove(f("ici/lien.ini"));
      // An absolute target, then one relative to the link's folder.
      const QByteArray cible = QString(vers).startsWith("..") ? QByteArray(vers) : QFile::encodeName(f(vers));
      ASSERT_EQ(::symlink(cible.constData(), QFile::encodeName(f("ici/lien.ini")).constData()), 0);
      QString erreur;
      ASSERT_TRUE(w.ecrit(f("ici/lien.ini"), &erreur)) << erreur.toStdString();
      EXPECT_TRUE(S_ISLNK(mode_de(f("ici/lien.ini")))) << "the link is still a link";
      EXPECT_EQ(QFile::symLinkTarget(f("ici/lien.ini")), f("ailleurs/cible.ini"));
      EXPECT_EQ(brut(f("ailleurs/cible.ini")), w.apres);
      EXPECT_EQ(QDir(f("ailleurs")).entryList(QDir::Files | QDir::Hidden), QStringList{"cible.ini"});
      EXPECT_EQ(QDir(f("ici")).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"lien.ini"});
    }
  }
}

// Only a regular file, or a link to one, is read or replaced: anything else
// is refused at once (a pipe never holds the program), named, left as it is.
TEST_F(FichiersTexte, EveryDoorTakesARegularFileOrALinkToOneAndRefusesAnyOtherKindAtOnce) {
  const QString c = f("cible.txt"), vraie = f("vraie.txt");
  const QByteArray nom = QFile::encodeName(c), nom_vraie = QFile::encodeName(vraie);
  std::vector<Ecrivain> portes(std::begin(ECRIVAINS), std::end(ECRIVAINS));
  portes.push_back({"read", [](const QString& chemin, QString* e) {
                      QByteArray o;
                      return lit_octets(chemin, o, e) && o == "ancien";
                    }, "ancien"});
  const std::pair<mode_t, int> natures[] = {{S_IFREG, 0}, {S_IFLNK, 0}, {S_IFDIR, EISDIR}, {S_IFIFO, 0}, {S_IFCHR, 0}};
  for (const auto& [type, cause] : natures) {  // the cause: the system's reason, or text 930
    if (type == S_IFCHR && ::geteuid() != 0) continue;  // a device node needs root
    const bool pris = type == S_IFREG || type == S_IFLNK;
    for (const Ecrivain& w : portes) {
      SCOPED_TRACE(std::to_string(type) + " " + w.quoi);
      ::unlink(nom.constData()), ::rmdir(nom.constData()), QFile::remove(vraie);
      if (pris) pose(vraie, w.avant);
      ASSERT_EQ(type == S_IFREG   ? ::rename(nom_vraie.constData(), nom.constData())
                : type == S_IFLNK ? ::symlink(nom_vraie.constData(), nom.constData())
                : type == S_IFDIR ? ::mkdir(nom.constData(), 0755)
                                  : ::mknod(nom.constData(), type | 0666, makedev(1, 3)),
                0);
      const QString rapport = dans_un_enfant([&] {
        ::alarm(5);  // a door that waits on a pipe ends the child, not the test
        QString e;
        return w.ecrit(c, &e) ? QString("ok") : e;
      });
      const QString pourquoi = cause ? systeme(cause) : texte_message(930);
      const int message = w.apres == "ancien" ? 808 : 806;
      EXPECT_EQ(rapport, pris ? "ok" : texte_message(message).arg(QDir::toNativeSeparators(c), pourquoi));
      EXPECT_EQ(mode_de(c) & S_IFMT, type) << "what stood there is left";
    }
    EXPECT_EQ(est_fichier(c), pris);
  }
}

// The new file is on disk before it takes the old one's place: a sync or a
// rename that fails stops the replacement, the old file whole, no new file
// left.
TEST_F(FichiersTexte, ANewFileThatCannotBeSyncedOrRenamedNeverReplacesTheOldOne) {
  const std::pair<const char*, std::function<void()>> pannes[] = {
      {"sync", [] { DisqueEnTest::synchronisations_en_echec(EIO); }},
      {"rename", [] { DisqueEnTest::renommage_en_echec(1, EXDEV); }},
  };
  for (const auto& [panne, provoque] : pannes) {
    for (const Ecrivain& w : ECRIVAINS) {
      SCOPED_TRACE(std::string(panne) + ", " + w.quoi);
      pose(f("sync.txt"), w.avant);
      provoque();
      QString erreur;
      EXPECT_FALSE(w.ecrit(f("sync.txt"), &erreur));
      DisqueEnTest::efface();
      EXPECT_EQ(erreur, QStringLiteral("Impossible d'écrire le fichier %1 : %2")
                            .arg(QDir::toNativeSeparators(f("sync.txt")),
                                 systeme(QString(panne) == "sync" ? EIO : EXDEV)));
      EXPECT_EQ(brut(f("sync.txt")), w.avant);
      EXPECT_EQ(fichiers(), QStringList{"sync.txt"});
      // The same writer goes through once the disk works.
      EXPECT_TRUE(w.ecrit(f("sync.txt"), &erreur)) << erreur.toStdString();
      EXPECT_EQ(brut(f("sync.txt")), w.apres);
    }
  }
}

}  // namespace
