// The new-version check: the version comparison, and the window release
// against a stand-in web server on 127.0.0.1.
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <optional>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "app/nouvelle_version.h"
#include "play/parametres.h"
#include "platform/boites.h"
#include "platform/minuterie.h"
#include "platform/telechargement.h"
#include "tests/app/aide_app.h"
#include "tests/common/serveur_http.h"

TEST(CompareVersion, NumbersCompareOneByOneAfterTrimming) {
  struct Cas {
    const char* annoncee;
    std::optional<int> attendu;
  };
  const Cas cas[] = {
      {"5.0.1", 0},         {"5.0.1\n", 0},        {" 5 . 0 . 1 ", 0},   {"05.00.001", 0},
      {"\t5.0.1\r\n", 0},   {"5.0.2", 1},          {"5.1", 1},           {"6", 1},
      {"5.0.10", 1},        {"10.0.0", 1},         {"5.0.0", -1},        {"5.0", -1},
      {"4.99.99", -1},      {"0.9.9", -1},         {"", std::nullopt},   {"   ", std::nullopt},
      {"abc", std::nullopt}, {"5.0.1.2", std::nullopt}, {"5..1", std::nullopt}, {"-5.0.1", std::nullopt},
      {"5.0.1beta", std::nullopt}, {"+5.0.1", std::nullopt}, {"5,0,1", std::nullopt},
  };
  for (const Cas& c : cas) {
    EXPECT_EQ(compare_version(QString::fromLatin1(c.annoncee), 5, 0, 1), c.attendu) << '"' << c.annoncee << '"';
  }
}

namespace {

class NouvelleVersion : public TestApp {
 protected:
  void SetUp() override {
    TestApp::SetUp();
    plateforme::MinuteriesEnTest::active();
    version_distante.clear();
  }
  void TearDown() override {
    TestApp::TearDown();
    plateforme::MinuteriesEnTest::desactive();
  }
  // Opens the window and starts a check, answering Yes to the confirmation
  // (and OK to the message of a failure when one is expected).
  release& verifie(bool echec = false) {
    release& w = fenetres::instance<release>();
    plateforme::BoitesEnTest::repond(boite::OUI);
    if (echec) plateforme::BoitesEnTest::repond(boite::OK);
    w.findChild<QPushButton*>("Command2")->click();
    return w;
  }
  static QStringList lignes(release& w) {
    QStringList l = w.findChild<QPlainTextEdit*>("contenu")->toPlainText().split('\n');
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
  }
  static QStringList entete() {
    return {"[Morvandel - Version 5.0.1]", release::separateur(), "Informations sur la version à jour : "};
  }
};

const QString A_JOUR = QStringLiteral("- Votre version est à jour -");
const QString PERIMEE = QStringLiteral("- Votre version n'est plus à jour ! -");
const QString NOUVELLE = QStringLiteral("NOUVELLE VERSION A TELECHARGER !");
const QString ILLISIBLE = QStringLiteral("*** La lecture du fichier XML distant est impossible... Désolé !");
const QString ESSAI = QStringLiteral("- Veuillez renouveller votre essai -");

QByteArray document(const QByteArray& racine) {
  return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n" + racine + "\r\n";
}

QByteArray annonce(const QByteArray& version) {
  return document("<NOUVELLES>\r\n  <AUTEUR>L'\xE9quipe Morvandel</AUTEUR>\r\n  <VERSION>" + version +
                  "</VERSION>\r\n  <DATE>01/12/2026</DATE>\r\n</NOUVELLES>");
}

// A document of exactly `taille` bytes announcing 5.0.1.
QByteArray document_de_taille(int taille) {
  QByteArray d = annonce("5.0.1");
  const QByteArray debut = "<!--", fin = "-->";
  d += debut + QByteArray(taille - d.size() - debut.size() - fin.size(), 'x') + fin;
  return d;
}

}  // namespace

TEST_F(NouvelleVersion, TheCheckAgainstAStandInServer) {
  const QStringList annonce_listee = {"AUTEUR [L'équipe Morvandel]", "VERSION [5.0.1]", "DATE [01/12/2026]"};
  auto liste_avec = [&](const char* v) {
    return QStringList{"AUTEUR [L'équipe Morvandel]", QStringLiteral("VERSION [%1]").arg(v), "DATE [01/12/2026]"};
  };
  struct Cas {
    const char* nom;
    QByteArray reponse;   // empty: the server keeps silent
    QStringList listage;  // the texts listed, when the check completes
    QStringList verdict;  // the verdict lines; empty: the check fails
    const char* raison;   // part of the failure message
    const char* version;  // version_distante afterwards
    const char* adresse = nullptr;  // another address than the server's
    bool port_ferme = false;
  };
  const Cas cas[] = {
      {"the same version", annonce("5.0.1"), annonce_listee, {A_JOUR}, nullptr, "5.0.1"},
      {"a newer revision", annonce("5.0.2"), liste_avec("5.0.2"), {NOUVELLE, PERIMEE}, nullptr, "5.0.2"},
      {"newer by numbers, not by text", annonce("5.0.10"), liste_avec("5.0.10"), {NOUVELLE, PERIMEE}, nullptr,
       "5.0.10"},
      {"an older one", annonce("4.9.9"), liste_avec("4.9.9"), {A_JOUR}, nullptr, "4.9.9"},
      {"an older revision", annonce("5.0.0"), liste_avec("5.0.0"), {A_JOUR}, nullptr, "5.0.0"},
      {"blanks and line ends around it", annonce("\r\n   5.0.1 \r\n"), annonce_listee, {A_JOUR}, nullptr, "5.0.1"},
      {"leading zeros", annonce("05.0.01"), liste_avec("05.0.01"), {A_JOUR}, nullptr, "05.0.01"},
      {"nested elements",
       reponse_http(200, "OK",
                    document("<A><B nom=\"x\"><C><VERSION>5.1.0</VERSION></C></B><DATE>2027</DATE>"
                             "<NOTE>&lt;b&gt;Nouveaut&#233;s&lt;/b&gt;</NOTE></A>")),
       {"VERSION [5.1.0]", "DATE [2027]", "NOTE [<b>Nouveautés</b>]"},
       {NOUVELLE, PERIMEE},
       nullptr,
       "5.1.0"},
      {"no VERSION", reponse_http(200, "OK", document("<NOUVELLES><AUTEUR>x</AUTEUR></NOUVELLES>")), {"AUTEUR [x]"},
       {ILLISIBLE, ESSAI}, nullptr, ""},
      {"a VERSION that is no version", annonce("bient\xF4t"), liste_avec("bientôt"), {ILLISIBLE, ESSAI}, nullptr,
       "bientôt"},
      {"exactly 64 KiB", reponse_http(200, "OK", document_de_taille(64 * 1024)), annonce_listee, {A_JOUR}, nullptr,
       "5.0.1"},
      {"broken XML", reponse_http(200, "OK", document("<NOUVELLES><VERSION>5.0.2</VERSION></NOUVEL>")), {}, {},
       "XML incorrect", ""},
      {"an unfinished document", reponse_http(200, "OK", "<NOUVELLES><VERSION>5.0.2</VERSION>"), {}, {},
       "XML incorrect", ""},
      {"an empty answer", reponse_http(200, "OK", ""), {}, {}, "XML incorrect", ""},
      {"404", reponse_http(404, "Not Found", "<html>absent</html>"), {}, {}, "404 Not Found", ""},
      {"no answer", QByteArray(), {}, {}, "Pas de réponse du serveur", ""},
      {"too big, said at once", reponse_http(200, "OK", document_de_taille(64 * 1024 + 1)), {}, {}, "64 Ko", ""},
      {"too big, found on the way", reponse_http(200, "OK", document_de_taille(200 * 1024), true), {}, {}, "64 Ko",
       ""},
      {"nobody listening", annonce("5.0.1"), {}, {}, "", "", nullptr, true},
      {"not a web address", annonce("5.0.1"), {}, {}, "Adresse incorrecte", "", "ftp://127.0.0.1/version.xml"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    ServeurHttp serveur;
    if (c.reponse.isEmpty())
      serveur.silence();
    else
      serveur.repond(c.reponse.startsWith("HTTP/") ? c.reponse : reponse_http(200, "OK", c.reponse));
    if (c.port_ferme) serveur.ferme();
    version_xml = c.adresse ? QString::fromLatin1(c.adresse) : serveur.adresse();
    version_distante = QStringLiteral("verdict d'avant");
    plateforme::BoitesEnTest::efface();
    const bool echec = c.verdict.isEmpty();
    release& w = verifie(echec);
    if (c.reponse.isEmpty()) {
      // The time limit passes, ticked by the test.
      ASSERT_TRUE(attend([&] { return serveur.requetes() == 1; }));
      ASSERT_NE(w.telechargement, nullptr);
      EXPECT_FALSE(w.Command2->isEnabled());  // one check at a time
      EXPECT_TRUE(w.telechargement->minuterie()->tick());
    }
    ASSERT_TRUE(attend([&] { return w.telechargement == nullptr; }));

    const QList<plateforme::BoiteVue>& boites = plateforme::BoitesEnTest::vues();
    ASSERT_GE(boites.size(), 1);
    EXPECT_EQ(boites[0].texte, "Pour effectuer cette opération, vous devez avoir votre connexion à l'Internet lancée "
                               "! \r\nVoulez-vous continuer ?");
    EXPECT_EQ(boites[0].style, boite::OUI_NON);
    EXPECT_EQ(boites[0].titre, "Morvandel");
    EXPECT_EQ(version_distante, QString::fromUtf8(c.version));
    if (echec) {
      ASSERT_EQ(boites.size(), 2);
      EXPECT_TRUE(boites[1].texte.startsWith(ILLISIBLE + "\r\n")) << boites[1].texte.toStdString();
      EXPECT_TRUE(boites[1].texte.contains(QString::fromUtf8(c.raison))) << boites[1].texte.toStdString();
      EXPECT_GT(boites[1].texte.size(), ILLISIBLE.size() + 2);  // a reason is given
      EXPECT_EQ(boites[1].style, boite::EXCLAMATION);
      for (const QString& verdict : {A_JOUR, NOUVELLE, PERIMEE, ESSAI}) EXPECT_FALSE(lignes(w).contains(verdict));
      EXPECT_TRUE(w.Command2->isEnabled());  // it can be tried again
    } else {
      EXPECT_EQ(boites.size(), 1);
      EXPECT_EQ(lignes(w), entete() + c.listage + QStringList{release::separateur()} + c.verdict +
                               QStringList{release::separateur()});
      EXPECT_FALSE(w.Command2->isEnabled());
    }
    if (!c.adresse && !c.port_ferme) {
      EXPECT_EQ(serveur.requetes(), 1);
      EXPECT_TRUE(serveur.derniere_requete().startsWith("GET /version.xml HTTP/1.1\r\n"));
    }
    fenetres::decharge<release>();
  }
}

TEST_F(NouvelleVersion, AnsweringNoLeavesTheWindowUnchanged) {
  ServeurHttp serveur;
  serveur.repond(reponse_http(200, "OK", annonce("5.0.2")));
  version_xml = serveur.adresse();
  release& w = fenetres::instance<release>();
  plateforme::BoitesEnTest::repond(boite::NON);
  w.findChild<QPushButton*>("Command2")->click();
  EXPECT_EQ(w.telechargement, nullptr);
  EXPECT_TRUE(lignes(w).isEmpty());
  EXPECT_TRUE(w.Command2->isEnabled());
  QCoreApplication::processEvents();
  EXPECT_EQ(serveur.requetes(), 0);
}

TEST_F(NouvelleVersion, ClosingTheWindowDuringACheckAbortsTheRequest) {
  ServeurHttp serveur;
  serveur.silence();
  version_xml = serveur.adresse();
  release& w = verifie();
  ASSERT_TRUE(attend([&] { return serveur.requetes() == 1; }));
  ASSERT_NE(w.telechargement, nullptr);
  w.findChild<QPushButton*>("Command1")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetres::existante<release>(), nullptr);
  // The server sees the connection go, and no box comes afterwards (an
  // unexpected one would fail the test).
  EXPECT_TRUE(attend([&] { return serveur.client_parti(); }));
  serveur.repond(reponse_http(200, "OK", annonce("5.0.2")));
  QCoreApplication::processEvents();
  EXPECT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
}

TEST_F(NouvelleVersion, AFailedCheckDoesNotRepeatAnEarlierVerdict) {
  ServeurHttp serveur;
  serveur.repond(reponse_http(200, "OK", annonce("5.0.2")));
  version_xml = serveur.adresse();
  release* w = &verifie();
  ASSERT_TRUE(attend([&] { return w->telechargement == nullptr; }));
  ASSERT_TRUE(lignes(*w).contains(NOUVELLE));
  w->findChild<QPushButton*>("Command1")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  // The same run, the window opened again: a document without VERSION.
  serveur.repond(reponse_http(200, "OK", document("<NOUVELLES><DATE>2027</DATE></NOUVELLES>")));
  menu().menu_release->trigger();
  w = fenetres::existante<release>();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(lignes(*w).isEmpty());
  plateforme::BoitesEnTest::repond(boite::OUI);
  w->Command2->click();
  ASSERT_TRUE(attend([&] { return w->telechargement == nullptr; }));
  EXPECT_EQ(version_distante, QString());
  const QStringList attendu =
      entete() + QStringList{"DATE [2027]", release::separateur(), ILLISIBLE, ESSAI, release::separateur()};
  EXPECT_EQ(lignes(*w), attendu);

  // And a transfer that fails leaves no verdict either.
  w->findChild<QPushButton*>("Command1")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  serveur.repond(reponse_http(200, "OK", annonce("5.0.3")));
  w = &verifie();
  ASSERT_TRUE(attend([&] { return w->telechargement == nullptr; }));
  ASSERT_TRUE(lignes(*w).contains(NOUVELLE));
  w->findChild<QPushButton*>("Command1")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  serveur.repond(reponse_http(404, "Not Found", ""));
  w = &verifie(true);
  ASSERT_TRUE(attend([&] { return w->telechargement == nullptr; }));
  EXPECT_EQ(version_distante, QString());
  EXPECT_TRUE(lignes(*w).isEmpty());
}

TEST_F(NouvelleVersion, TheShippedAddressIsAPlaceholderAndTheCheckFailsCleanly) {
  reinitialise_parametres();
  EXPECT_TRUE(QUrl(version_xml).host().endsWith(".example.org")) << version_xml.toStdString();
  release& w = verifie(true);
  // Whatever the network does (no name server, a name not found, a host that
  // keeps silent), the check ends with its failure message.
  if (!attend_un_peu([&] { return w.telechargement == nullptr; })) {
    ASSERT_NE(w.telechargement, nullptr);
    w.telechargement->minuterie()->tick();
  }
  ASSERT_EQ(w.telechargement, nullptr);
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 2);
  EXPECT_TRUE(plateforme::BoitesEnTest::vues()[1].texte.startsWith(ILLISIBLE + "\r\n"));
  EXPECT_TRUE(lignes(w).isEmpty());
  EXPECT_TRUE(w.Command2->isEnabled());
}
