// The about box, and the captions and menu items of the tips, about and
// new-version windows.
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QtTest/QTest>

#include "app/a_propos.h"
#include "app/astuce.h"
#include "platform/fenetres.h"
#include "app/menu.h"
#include "app/nouvelle_version.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/lancement.h"
#include "tests/app/aide_app.h"

namespace {

class APropos : public TestApp {
 protected:
  void TearDown() override {
    if (!chemin_origine_.isNull()) qputenv("PATH", chemin_origine_);
    TestApp::TearDown();
  }
  // The PATH holds only a folder with these programs (empty scripts).
  void programmes_installes(const QStringList& noms) {
    if (chemin_origine_.isNull()) chemin_origine_ = qgetenv("PATH");
    const QString bin = chemin(QStringLiteral("bin"));
    QDir().mkpath(bin);
    for (const QString& n : noms) {
      QFile f(QDir(bin).filePath(n));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("#!/bin/sh\n");
      f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", bin.toLocal8Bit());
  }
  QString bin() const { return chemin(QStringLiteral("bin")); }
  frmAbout& ouvre() { return fenetres::instance<frmAbout>(); }

 private:
  QByteArray chemin_origine_;
};

QString texte_controle(QWidget* fenetre, const char* nom) {
  if (!nom) return fenetre->windowTitle();
  return texte_montre(fenetre->findChild<QObject*>(nom));
}

}  // namespace

TEST_F(APropos, ShowsTitleVersionAuthorAndTheProgramsCredits) {
  frmAbout& f = ouvre();
  EXPECT_EQ(f.windowTitle(), "A propos de Morvandel");
  EXPECT_EQ(texte_controle(&f, "lblTitle"), "Morvandel");
  EXPECT_EQ(texte_controle(&f, "lblVersion"), "Version 5.0.1");
  EXPECT_EQ(texte_controle(&f, "Label5"), "Logiciel de jeu d'échecs sous Linux");
  const QStringList auteur = texte_controle(&f, "Label1").split('\n');
  ASSERT_EQ(auteur.size(), 2);
  EXPECT_EQ(auteur[0], "Auteur : l'équipe Morvandel");
  EXPECT_EQ(auteur[1], texte(923));  // the notice, in the user's language
  EXPECT_EQ(texte_controle(&f, "Frame1"), "Remerciements à...");
  const QString ouvertures = texte_controle(&f, "lblOuvertures");
  EXPECT_TRUE(ouvertures.contains("lichess-org/chess-openings")) << ouvertures.toStdString();
  EXPECT_TRUE(ouvertures.contains("CC0"));
  const QString qt = texte_controle(&f, "lblQt");
  EXPECT_TRUE(qt.contains(QString::fromLatin1(qVersion()))) << qt.toStdString();
  EXPECT_TRUE(qt.contains("LGPL"));
  EXPECT_TRUE(texte_controle(&f, "lblProjet").contains("sons"));
  EXPECT_EQ(texte_controle(&f, "Label4"), "WEB site -");
  EXPECT_EQ(texte_controle(&f, "cmdSysInfo"), "&Infos système...");
  // The credits sit inside their frame.
  EXPECT_EQ(f.lblOuvertures->parentWidget(), f.Frame1);
}

TEST_F(APropos, AClickOnTheAddressOpensTheWebSite) {
  frmAbout& f = ouvre();
  f.show();
  QTest::mouseClick(f.findChild<QLabel*>("Label3"), Qt::LeftButton);
  EXPECT_EQ(plateforme::LancementsEnTest::demandes(), QStringList({"adresse:https://morvandel.example.org"}));
  // The desktop's refusal is not reported.
  plateforme::LancementsEnTest::refuse(true);
  QTest::mouseClick(f.findChild<QLabel*>("Label3"), Qt::LeftButton);
  EXPECT_EQ(plateforme::LancementsEnTest::demandes().size(), 2);
}

TEST_F(APropos, TheSystemInformationButtonStartsTheDesktopsTool) {
  struct Cas {
    const char* nom;
    QStringList installes;
    bool refuse;
    const char* lance;  // the program started, or nullptr
    bool message;
  };
  const Cas cas[] = {
      {"none installed", {}, false, nullptr, true},
      {"GNOME", {"gnome-system-monitor"}, false, "gnome-system-monitor", false},
      {"the most complete first", {"gnome-system-monitor", "kinfocenter", "xfce4-about"}, false, "kinfocenter", false},
      {"Xfce before MATE", {"mate-system-monitor", "xfce4-about"}, false, "xfce4-about", false},
      {"found but not started", {"hardinfo"}, true, "hardinfo", true},
      {"a file that is not a program", {}, false, nullptr, true},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    QDir(bin()).removeRecursively();
    programmes_installes(c.installes);
    if (QString(c.nom) == "a file that is not a program") {
      QFile f(QDir(bin()).filePath("kinfocenter"));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));  // no execute permission
    }
    plateforme::LancementsEnTest::efface();
    plateforme::LancementsEnTest::refuse(c.refuse);
    plateforme::BoitesEnTest::efface();
    if (c.message) plateforme::BoitesEnTest::repond(boite::OK);
    frmAbout& f = ouvre();
    f.findChild<QPushButton*>("cmdSysInfo")->click();
    EXPECT_EQ(plateforme::LancementsEnTest::demandes(),
              c.lance ? QStringList({"programme:" + QDir(bin()).filePath(c.lance)}) : QStringList());
    if (c.message) {
      ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
      EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].texte,
                "Les informations système ne sont pas disponibles actuellement");
      EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::OK_SEUL);  // OK only, no icon
    } else {
      EXPECT_TRUE(plateforme::BoitesEnTest::vues().isEmpty());
    }
    EXPECT_NE(fenetres::existante<frmAbout>(), nullptr);  // the box stays open
  }
  plateforme::LancementsEnTest::refuse(false);
}

TEST_F(APropos, OkUnloadsTheBox) {
  frmAbout& f = ouvre();
  f.show();
  f.findChild<QPushButton*>("cmdOK")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetres::existante<frmAbout>(), nullptr);
}

TEST_F(APropos, TheThreeWindowsTakeTheirCaptionsInTheChosenLanguage) {
  struct Cas {
    const char* fenetre;
    const char* controle;  // nullptr: the title
    int langue;
    const char* attendu;
  };
  const Cas cas[] = {
      {"frmTip", nullptr, 1, "Trucs et astuces"},
      {"frmTip", "cmdNextTip", 1, "&Astuce suivante"},
      {"frmTip", "Label1", 1, "Savez-vous..."},
      {"frmTip", "chkLoadTipsAtStartup", 1, "&Afficher les astuces au démarrage"},
      {"frmTip", "cmdOK", 1, "OK"},
      {"frmTip", nullptr, 2, "Tips and tricks"},
      {"frmTip", "cmdNextTip", 2, "&Next tip"},
      {"frmTip", "Label1", 2, "Did you know..."},
      {"frmTip", "chkLoadTipsAtStartup", 2, "&Afficher les astuces au démarrage"},
      {"frmAbout", nullptr, 1, "A propos de Morvandel"},
      {"frmAbout", "Label5", 1, "Logiciel de jeu d'échecs sous Linux"},
      {"frmAbout", nullptr, 2, "About Morvandel"},
      {"frmAbout", "Label5", 2, "Chess software for Linux"},
      {"frmAbout", "Label5", 5, "Schachprogramm für Linux"},
      {"frmAbout", "Label5", 8, "Program szachowy dla systemu Linux"},
      {"frmAbout", "lblVersion", 2, "Version 5.0.1"},
      {"frmAbout", "Frame1", 2, "Remerciements à..."},
      {"release", nullptr, 1, "Informations du site Morvandel"},
      {"release", "Command1", 1, "&Annuler"},
      {"release", "Command2", 1, "&Connexion au site Morvandel !"},
      {"release", nullptr, 2, "News from the Morvandel site"},
      {"release", "Command1", 2, "&Cancel"},
      {"release", "Command2", 2, "&Connect to the Morvandel site !"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::string(c.fenetre) + " " + (c.controle ? c.controle : "title") + " " +
                 std::to_string(c.langue));
    cle_langue = c.langue;
    applique_langue();
    QWidget* f = nullptr;
    const QString nom = QString::fromLatin1(c.fenetre);
    if (nom == "frmTip") f = &fenetres::instance<frmTip>();
    if (nom == "frmAbout") f = &fenetres::instance<frmAbout>();
    if (nom == "release") f = &fenetres::instance<release>();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->objectName(), nom);
    EXPECT_EQ(texte_controle(f, c.controle), QString::fromUtf8(c.attendu));
    fenetres::ferme_toutes();
  }
  // Every row of the three tables reaches a control of its window.
  for (const char* nom : {"frmTip", "frmAbout", "release"}) {
    const std::vector<Libelle>* table = libelles_de(nom);
    ASSERT_NE(table, nullptr) << nom;
    EXPECT_EQ(table->size(), 3u) << nom;
  }
}

TEST_F(APropos, TheHelpMenuAndTheTipItemOpenTheirWindows) {
  struct Cas {
    QAction* Menu::*element;
    const char* fenetre;
  };
  const Cas cas[] = {
      {&Menu::menu_astuce, "frmTip"},
      {&Menu::menu_a_propos, "frmAbout"},
      {&Menu::menu_release, "release"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.fenetre);
    QAction* a = menu().*(c.element);
    EXPECT_TRUE(a->isEnabled());
    a->trigger();
    QWidget* montree = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == c.fenetre && w->isVisible()) montree = w;
    ASSERT_NE(montree, nullptr);
    // A second click brings the same window forward.
    a->trigger();
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == c.fenetre) ++n;
    EXPECT_EQ(n, 1);
  }
}

TEST(PageAide, EveryLinkReachesASectionAndTheNewWindowsAreDescribed) {
  QFile f(QStringLiteral(MVD_SOURCE_DIR "/data/aide/index.html"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(f.readAll());
  EXPECT_FALSE(page.contains(QChar(0xFFFD)));  // UTF-8, as its header says
  EXPECT_TRUE(page.contains("<meta charset=\"utf-8\">"));
  QStringList ids;
  for (const QRegularExpressionMatch& m : QRegularExpression(" id=\"([^\"]+)\"").globalMatch(page))
    ids << m.captured(1);
  EXPECT_EQ(ids.size(), QSet<QString>(ids.begin(), ids.end()).size()) << "an id given twice";
  // "Aide sur ..." opens the index.
  EXPECT_TRUE(ids.contains("index"));
  int liens = 0;
  for (const QRegularExpressionMatch& m : QRegularExpression("href=\"#([^\"]+)\"").globalMatch(page)) {
    EXPECT_TRUE(ids.contains(m.captured(1))) << m.captured(1).toStdString();
    ++liens;
  }
  EXPECT_GT(liens, 20);
  for (const char* sujet : {"ASTUCES.TXT", "Show Tips", "Infos système", "VERSION_XML", "64 Ko", "CC0"})
    EXPECT_TRUE(page.contains(QString::fromUtf8(sujet))) << sujet;
}
