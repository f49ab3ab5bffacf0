// The tip of the day: the tips file, the next-tip button, the per-user choice.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <optional>

#include "app/astuce.h"
#include "platform/fenetres.h"
#include "app/menu.h"
#include "app/fichiers_recents.h"
#include "platform/fichiers_texte.h"
#include "platform/reglages_utilisateur.h"
#include "tests/app/aide_app.h"

namespace {

class Astuce : public TestApp {
 protected:
  void ecrit_astuces(const QByteArray& octets) { ecrit_octets(chemin(QStringLiteral("ASTUCES.TXT")), octets); }
  frmTip& ouvre() { return fenetres::instance<frmTip>(); }
  static QString texte_de(frmTip& f, const char* nom) { return f.findChild<QLabel*>(nom)->text(); }
  static void clique(frmTip& f, const char* nom) { f.findChild<QAbstractButton*>(nom)->click(); }
  static QString choix() {
    return plateforme::lit_reglage(QString::fromLatin1(APPLI_REGLAGES), QStringLiteral("Options"),
                                   QStringLiteral("Show Tips at Startup"), QStringLiteral("<rien>"));
  }
};

const QString EXPLICATION = QStringLiteral(
    "ASTUCES.TXT n'a pas été trouvé? \r\n\r\nCréez un fichier texte nommé ASTUCES.TXT en utilisant le Bloc-notes "
    "avec une astuce par ligne. Puis placez le dans le même dossier que l'application.");

}  // namespace

TEST_F(Astuce, TheTipsFileGivesOneTipPerLine) {
  struct Cas {
    const char* nom;
    std::optional<QByteArray> fichier;  // none: no tips file
    QStringList astuces;
  };
  const Cas cas[] = {
      {"no file", std::nullopt, {}},
      {"empty file", QByteArray(), {}},
      {"one line", QByteArray("Une seule astuce\r\n"), {"Une seule astuce"}},
      {"one line without line end", QByteArray("Une seule astuce"), {"Une seule astuce"}},
      {"Windows-1252", QByteArray("Le roi \xE9\x63happe \xE0 l'\xE9\x63hec \x96 \xAB vite \xBB\r\n"),
       {QStringLiteral("Le roi échappe à l'échec – « vite »")}},
      {"LF line ends", QByteArray("a\nb\n"), {"a", "b"}},
      {"an empty line counts", QByteArray("a\r\n\r\nb\r\n"), {"a", "", "b"}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    QFile::remove(chemin(QStringLiteral("ASTUCES.TXT")));
    if (c.fichier) ecrit_astuces(*c.fichier);
    frmTip& f = ouvre();
    EXPECT_EQ(f.astuces(), c.astuces);
    const QString montre = texte_de(f, "lblTipText");
    if (!c.fichier)
      EXPECT_EQ(montre, EXPLICATION);
    else if (c.astuces.isEmpty())
      EXPECT_EQ(montre, QString());  // no tip and no explanation
    else
      EXPECT_TRUE(c.astuces.contains(montre)) << montre.toStdString();
    // The next tip is one of them too, and changes nothing when there is none.
    clique(f, "cmdNextTip");
    if (c.astuces.isEmpty())
      EXPECT_EQ(texte_de(f, "lblTipText"), montre);
    else
      EXPECT_TRUE(c.astuces.contains(texte_de(f, "lblTipText")));
    fenetres::decharge<frmTip>();
  }
}

TEST_F(Astuce, TheNextTipButtonReachesEveryTip) {
  ecrit_astuces("premi\xE8re\r\ndeuxi\xE8me\r\ntroisi\xE8me\r\n");
  frmTip& f = ouvre();
  QSet<QString> vues;
  for (int i = 0; i < 200; ++i) {
    clique(f, "cmdNextTip");
    ASSERT_GE(f.astuce_courante(), 1);
    ASSERT_LE(f.astuce_courante(), 3);
    EXPECT_EQ(texte_de(f, "lblTipText"), f.astuces().at(f.astuce_courante() - 1));
    vues.insert(texte_de(f, "lblTipText"));
  }
  EXPECT_EQ(vues, QSet<QString>({"première", "deuxième", "troisième"}));
}

TEST_F(Astuce, ATipsFileThatCannotBeReadSaysWhyInPlaceOfTheTip) {
  // A folder under the file's name: it exists, and reading it fails.
  ASSERT_TRUE(QDir(dossier()).mkdir(QStringLiteral("ASTUCES.TXT")));
  frmTip& f = ouvre();  // no box, no uncaught error
  const QString montre = texte_de(f, "lblTipText");
  EXPECT_TRUE(montre.startsWith(QDir::toNativeSeparators(chemin(QStringLiteral("ASTUCES.TXT"))) + " : "))
      << montre.toStdString();
  EXPECT_GT(montre.size(), chemin(QStringLiteral("ASTUCES.TXT")).size() + 3);  // the reason follows
  EXPECT_NE(montre, EXPLICATION);
  EXPECT_TRUE(f.astuces().isEmpty());
  clique(f, "cmdNextTip");
  EXPECT_EQ(texte_de(f, "lblTipText"), montre);
}

TEST_F(Astuce, TheWindowAlwaysOpensAndTheChoiceCanBeTickedBackOn) {
  ecrit_astuces("Une astuce\r\n");
  struct Cas {
    std::optional<QString> stocke;
    bool coche;
  };
  const Cas cas[] = {{std::nullopt, true}, {"1", true}, {"0", false}, {" 0 ", false}, {"n'importe", true}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.stocke.value_or("<none>").toStdString());
    const QString appli = QString::fromLatin1(APPLI_REGLAGES);
    if (c.stocke)
      plateforme::ecrit_reglage(appli, "Options", "Show Tips at Startup", *c.stocke);
    else
      plateforme::efface_reglage(appli, "Options", "Show Tips at Startup");
    frmTip& f = ouvre();
    auto* boite = f.findChild<QCheckBox*>("chkLoadTipsAtStartup");
    EXPECT_EQ(boite->isChecked(), c.coche);
    EXPECT_EQ(texte_de(f, "lblTipText"), "Une astuce");  // shown whatever the choice
    // Opening writes nothing; each click writes the new state at once.
    EXPECT_EQ(choix(), c.stocke.value_or("<rien>"));
    boite->click();
    EXPECT_EQ(choix(), c.coche ? "0" : "1");
    boite->click();
    EXPECT_EQ(choix(), c.coche ? "1" : "0");
    fenetres::decharge<frmTip>();
  }
}

TEST_F(Astuce, OkUnloadsTheWindowAndTheMenuItemShowsItAgain) {
  ecrit_astuces("Une astuce\r\n");
  menu().menu_astuce->trigger();
  frmTip* f = fenetres::existante<frmTip>();
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->isVisible());
  clique(*f, "cmdOK");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetres::existante<frmTip>(), nullptr);
  menu().menu_astuce->trigger();
  ASSERT_NE(fenetres::existante<frmTip>(), nullptr);
  EXPECT_TRUE(fenetres::existante<frmTip>()->isVisible());
}

TEST_F(Astuce, TheShippedTipsFileIsWindows1252OneTipALine) {
  const QByteArray brut = octets(QStringLiteral(MVD_SOURCE_DIR "/data/ASTUCES.TXT"));
  ASSERT_FALSE(brut.isEmpty());
  EXPECT_TRUE(brut.endsWith("\r\n"));
  const QStringList lignes = lignes_crlf(QStringLiteral(MVD_SOURCE_DIR "/data/ASTUCES.TXT"));
  EXPECT_GE(lignes.size(), 20);
  for (const QString& l : lignes) {
    SCOPED_TRACE(l.toStdString());
    EXPECT_FALSE(l.trimmed().isEmpty());
    EXPECT_FALSE(l.contains(QLatin1Char('\n')));
    // UTF-8 read as Windows-1252 would show "Ã" before every accented letter.
    EXPECT_FALSE(l.contains(QStringLiteral("Ã")));
    EXPECT_FALSE(l.contains(QChar(0xFFFD)));
  }
  // The build puts it beside the program.
  EXPECT_EQ(octets(QStringLiteral(MVD_BUILD_DIR "/ASTUCES.TXT")), brut);
}
