// The include check of ./test: a copy of the program's folders passes it, and
// one include planted the wrong way makes it fail and name the file.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Resultat {
  int code = -1;
  QString sortie;
};

Resultat verifie(const QString& racine) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(QStringLiteral("bash"), {QStringLiteral(MVD_SOURCE_DIR "/tools/verifie_couches.sh"), racine});
  if (!p.waitForFinished(60000)) return {};
  return {p.exitCode(), QString::fromUtf8(p.readAll())};
}

// The sources of every folder the check knows, copied under `vers`.
void copie_sources(const QString& vers) {
  const QDir source(QStringLiteral(MVD_SOURCE_DIR));
  for (const char* dossier : {"chess", "langlib", "platform", "localisation", "openings", "boardcontrol", "play",
                              "gamefiles", "network", "correspondence", "app"}) {
    QDirIterator it(source.filePath(QString::fromLatin1(dossier)), {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString chemin = it.next();
      const QString cible = QDir(vers).filePath(source.relativeFilePath(chemin));
      ASSERT_TRUE(QDir().mkpath(QFileInfo(cible).path()));
      ASSERT_TRUE(QFile::copy(chemin, cible)) << chemin.toStdString();
    }
  }
}

void ecrit(const QString& chemin, const QByteArray& texte) {
  ASSERT_TRUE(QDir().mkpath(QFileInfo(chemin).path()));
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(texte);
}

TEST(VerifieCouches, LesSourcesPassentEtUnIncludeALEnversEchoue) {
  QTemporaryDir copie;
  ASSERT_TRUE(copie.isValid());
  copie_sources(copie.path());
  ASSERT_FALSE(HasFatalFailure());
  const Resultat sain = verifie(copie.path());
  ASSERT_EQ(sain.code, 0) << sain.sortie.toStdString();

  struct Cas {
    const char* fichier;  // planted in the copy
    const char* ligne;
    bool accepte;
  };
  const Cas cas[] = {
      {"play/plante.cpp", "#include \"app/menu.h\"\n", false},
      {"play/plante.h", "  #  include \"gamefiles/lecture_pgn.h\"\n", false},
      {"localisation/plante.cpp", "#include \"openings/base_eco.h\"\n", false},
      {"chess/plante.cpp", "#include \"platform/boites.h\"\n", false},
      {"gamefiles/plante.cpp", "#include \"network/reseau.h\"\n", false},
      {"boardcontrol/plante.cpp", "#include \"platform/boites.h\"\n", false},
      {"openings/sous/plante.cpp", "#include \"play/jeu.h\"\n", false},
      {"app/plante.cpp", "#include \"play/jeu.h\"\n#include \"chess/etat.h\"\n", true},
      {"play/plante.cpp", "#include \"boardcontrol/echiquier.h\"\n#include \"play/jeu.h\"\n", true},
      {"platform/plante.cpp", "#include \"chess/etat.h\"\n#include <QString>\n", true},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.fichier);
    const QString chemin = QDir(copie.path()).filePath(QString::fromLatin1(c.fichier));
    ecrit(chemin, c.ligne);
    const Resultat r = verifie(copie.path());
    QFile::remove(chemin);
    if (c.accepte) {
      EXPECT_EQ(r.code, 0) << r.sortie.toStdString();
    } else {
      EXPECT_EQ(r.code, 1) << r.sortie.toStdString();
      EXPECT_TRUE(r.sortie.contains(QString::fromLatin1(c.fichier) + QStringLiteral(":1:"))) << r.sortie.toStdString();
      EXPECT_TRUE(r.sortie.contains(QStringLiteral("wrong way")));
    }
  }
}

}  // namespace
