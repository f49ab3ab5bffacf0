// Loading a game from an XML address: the URL list file, the reading of a
// game list, and the form against a stand-in web server on 127.0.0.1.
#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "app/menu.h"
#include "chess/etat.h"
#include "gamefiles/charge.h"
#include "gamefiles/charge_pgn.h"
#include "gamefiles/liste_xml.h"
#include "gamefiles/sauve.h"
#include "gamefiles/xml.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/dialogues_fichiers.h"
#include "platform/evenements.h"
#include "platform/fenetres.h"
#include "platform/minuterie.h"
#include "play/machine.h"
#include "play/parametres.h"
#include "play/patience.h"
#include "play/plateau.h"
#include "tests/common/serveur_http.h"
#include "tests/gamefiles/aide_charge.h"

namespace {

QByteArray liste(const QByteArray& parties) {
  return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<!-- Morvandel 5.0.1 - 09/12/2026 10:00:00-->\r\n<LIST>\r\n" +
         parties + "</LIST>\r\n";
}

const QByteArray PARTIE_1 =
    "<GAME>\r\n<Event>Open</Event>\r\n<White>L\xE9on &amp; fils</White>\r\n<Black>Jones</Black>\r\n"
    "<WhiteElo></WhiteElo>\r\n<Move>1.e4 e5 2.Nf3 1-0</Move>\r\n<Comment>Belle partie</Comment>\r\n</GAME>\r\n";
const QByteArray PARTIE_2 =
    "<GAME>\r\n<Event>Rapide</Event>\r\n<White>Dupont</White>\r\n<Move>1.d4 d5 2.c4 *</Move>\r\n"
    "<Comment></Comment>\r\n</GAME>\r\n";

class FormulaireXml : public TestChargePgn {
 protected:
  void TearDown() override {
    fenetres::decharge<xml>();
    EXPECT_FALSE(plateforme::curseur_attente_actif());
    TestChargePgn::TearDown();
  }
  xml& ouvre() {
    affiche_xml();
    return *fenetres::existante<xml>();
  }
  // Loads `adresse` through the form and waits for the end of the transfer.
  void charge_adresse(xml& f, const QString& adresse) {
    f.Text1->setText(adresse);
    f.Command2->click();
    attend([&] { return !f.telechargement(); });
  }
};

}  // namespace

TEST(FichierUrl, ChaqueLigneEstUneAdresseSaufLesRemarques) {
  const QStringList lignes = {
      "http://a.org/1.xml",
      "  http://a.org/parties?j=2,3  ",
      "# une remarque",
      "\"http://a.org/4.xml, avec virgule\"",
      "",
      "Partie du jour http://a.org/5.xml",
      "  # remarque après des blancs",
  };
  // A comma belongs to its address: the line is not cut there.
  EXPECT_EQ(adresses_url(lignes), QStringList({"http://a.org/1.xml", "http://a.org/parties?j=2,3",
                                               "http://a.org/4.xml, avec virgule",
                                               "Partie du jour http://a.org/5.xml"}));
}

TEST(ListeXml, ChaqueElementAvecTexteDonneUnTagDeSaPartie) {
  struct Cas {
    const char* nom;
    QByteArray document;
    bool bien_forme;
    std::vector<std::vector<std::string>> tags;  // per game, "Name=value"
    std::vector<std::string> coups;
  };
  const Cas cas[] = {
      {"two games", liste(PARTIE_1 + PARTIE_2), true,
       {{"Event=Open", "White=L\xC3\xA9on & fils", "Black=Jones", "Comment=Belle partie"},
        {"Event=Rapide", "White=Dupont"}},
       {"1.e4 e5 2.Nf3 1-0", "1.d4 d5 2.c4 *"}},
      {"an empty movetext", liste("<GAME><Event>X</Event><Move></Move></GAME>"), true, {{"Event=X"}}, {""}},
      {"no GAME element", "<A><Site>Autun</Site><Move>1.c4 *</Move></A>", true, {{"Site=Autun"}}, {"1.c4 *"}},
      {"a reference and a quote", liste("<GAME><White>&#8364; \"x\"</White></GAME>"), true,
       {{"White=\xE2\x82\xAC \"x\""}}, {""}},
      {"not well-formed", liste("<GAME><White>A & B</White></GAME>"), false, {}, {}},
      {"cut short", "<LIST><GAME><White>A</White>", false, {}, {}},
      // A document type is refused, and its entities never reach a value.
      {"a document type with an entity",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE LIST [<!ENTITY e \"Intrus\">]>\n<LIST><GAME><White>&e;</White>"
       "<Move>1.e4 *</Move></GAME></LIST>",
       false, {}, {}},
      {"a document type alone", "<!DOCTYPE LIST>\n" + liste(PARTIE_2), false, {}, {}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    std::vector<pgn::PartieXml> parties;
    QString erreur;
    EXPECT_EQ(pgn::lit_liste_xml(c.document, parties, &erreur), c.bien_forme);
    EXPECT_EQ(erreur.isEmpty(), c.bien_forme);
    ASSERT_EQ(parties.size(), c.tags.size());
    for (std::size_t i = 0; i < parties.size(); ++i) {
      std::vector<std::string> tags;
      for (const auto& [n, v] : parties[i].tags) tags.push_back(n + "=" + v);
      EXPECT_EQ(tags, c.tags[i]);
      EXPECT_EQ(parties[i].coups, c.coups[i]);
    }
  }
  // A tag line escapes what PGN escapes.
  std::vector<pgn::PartieXml> parties;
  pgn::lit_liste_xml(liste("<GAME><White>a\"b\\c</White></GAME>"), parties);
  ASSERT_EQ(parties.size(), 1u);
  EXPECT_EQ(parties[0].lignes_tags, std::vector<std::string>{"[White \"a\\\"b\\\\c\"]"});
}

TEST(ListeXml, LaPositionDeDepartVaAvantLesCoupsEtRevientEnTags) {
  const std::string fen = "4k3/P7/8/8/8/8/8/4K3 b - - 3 40";
  struct Cas {
    const char* nom;
    std::string tags;
    bool position;  // SetUp and FEN written
  };
  const Cas cas[] = {
      {"a FEN tag", "[Event \"E\"]\r\n[SetUp \"1\"]\r\n[FEN \"" + fen + "\"]\r\n", true},
      {"a FEN tag without SetUp", "[FEN \"" + fen + "\"]\r\n", true},
      {"SetUp 0: the usual start", "[SetUp \"0\"]\r\n[FEN \"" + fen + "\"]\r\n", false},
      {"no FEN", "[Event \"E\"]\r\n", false},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    const QString partie = pgn::partie_xml(c.tags, "40...Kd7 41.a8=Q *");
    const qsizetype fen_ecrit = partie.indexOf(QStringLiteral("<FEN>") + QString::fromStdString(fen) + "</FEN>\r\n");
    EXPECT_EQ(fen_ecrit >= 0, c.position) << partie.toStdString();
    EXPECT_EQ(partie.contains("<SetUp>1</SetUp>\r\n"), c.position);
    if (c.position) {
      EXPECT_LT(partie.indexOf("</Variation>"), partie.indexOf("<SetUp>"));
      EXPECT_LT(fen_ecrit, partie.indexOf("<Move>"));
    }
    // Read back, the game starts from the position again.
    std::vector<pgn::PartieXml> lues;
    ASSERT_TRUE(pgn::lit_liste_xml(pgn::octets_liste_xml(partie, QDateTime::currentDateTime()), lues));
    ASSERT_EQ(lues.size(), 1u);
    const pgn::PartieLue p = partie_du_document(lues[0]);
    EXPECT_EQ(p.valeur_tag("FEN"), c.position ? fen : std::string());
    EXPECT_EQ(p.valeur_tag("SetUp"), c.position ? "1" : "");
    EXPECT_EQ(lues[0].coups, "40...Kd7 41.a8=Q *");
  }
}

TEST(ListeXml, UnAjoutResteUneListeDansLEncodageDeclare) {
  const QString partie = pgn::partie_xml("[White \"L\xC3\xA9on \xC5\x81\"]\r\n", "1.e4 *");
  struct Cas {
    const char* nom;
    QByteArray avant;
    bool accepte;
    QByteArray octets_du_nom;  // how the added name must stand in the file
  };
  const Cas cas[] = {
      {"ISO-8859-1", liste(PARTIE_2), true, "L\xE9on &#321;"},
      {"UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LIST><GAME><White>\xC3\xA9</White></GAME></LIST>\n", true,
       "L\xC3\xA9on &#321;"},
      {"no declaration", "<LIST>\n</LIST>", true, "L\xC3\xA9on &#321;"},
      {"another encoding", "<?xml version=\"1.0\" encoding=\"US-ASCII\"?><LIST></LIST>", true, "L&#233;on &#321;"},
      {"another root", "<GAME><White>A</White></GAME>", false, {}},
      {"not well-formed", "<LIST><GAME></LIST>", false, {}},
      {"a document type", "<!DOCTYPE LIST [<!ENTITY e \"x\">]><LIST>&e;</LIST>", false, {}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    QByteArray octets = c.avant;
    QString erreur;
    ASSERT_EQ(pgn::ajoute_a_liste_xml(octets, partie, &erreur), c.accepte) << erreur.toStdString();
    if (!c.accepte) {
      EXPECT_EQ(octets, c.avant) << "nothing added";
      // The program's sentence first, then what the reader found.
      EXPECT_TRUE(erreur.startsWith(texte(895) + "\n")) << erreur.toStdString();
      EXPECT_GT(erreur.size(), texte(895).size() + 1);
      continue;
    }
    EXPECT_TRUE(octets.contains("<White>" + c.octets_du_nom + "</White>")) << octets.toStdString();
    std::vector<pgn::PartieXml> parties;
    ASSERT_TRUE(pgn::lit_liste_xml(octets, parties, &erreur)) << erreur.toStdString();
    ASSERT_FALSE(parties.empty());
    EXPECT_EQ(parties.back().coups, "1.e4 *");
    EXPECT_EQ(parties.back().tags.front().second, "L\xC3\xA9on \xC5\x81");
    EXPECT_TRUE(octets.trimmed().endsWith("</LIST>"));
  }
}

// What is written reads the same in ISO-8859-1 and in Windows-1252: the
// characters 80..9F (controls in one, letters in the other) and everything
// above FF are references.
TEST(ListeXml, LesCaracteresQueLesDeuxCodagesLisentAutrementDeviennentDesReferences) {
  const std::pair<QString, QString> cas[] = {
      {QString(QChar(0x7E)) + QChar(0x7F), QString(QChar(0x7E)) + QChar(0x7F)},
      {QString(QChar(0x80)), "&#128;"},
      {QString(QChar(0x85)) + "x" + QChar(0x9F), "&#133;x&#159;"},
      {QString(QChar(0xA0)) + QChar(0xE9) + QChar(0xFF), QString(QChar(0xA0)) + QChar(0xE9) + QChar(0xFF)},
      {QString(QChar(0x100)) + QChar(0x20AC), "&#256;&#8364;"},
  };
  for (const auto& [texte, attendu] : cas) EXPECT_EQ(pgn::en_latin1(texte), attendu) << texte.toStdString();
  // A game whose name holds one of them is written as a reference and read
  // back as the character.
  const QString nom = QStringLiteral("a") + QChar(0x9A) + QStringLiteral("b");
  const QByteArray octets = pgn::octets_liste_xml(
      pgn::partie_xml("[White \"" + nom.toStdString() + "\"]\r\n", "1.e4 *"), QDateTime::currentDateTime());
  EXPECT_TRUE(octets.contains("<White>a&#154;b</White>")) << octets.toStdString();
  std::vector<pgn::PartieXml> parties;
  ASSERT_TRUE(pgn::lit_liste_xml(octets, parties));
  ASSERT_EQ(parties.size(), 1u);
  EXPECT_EQ(parties[0].tags.front().second, nom.toStdString());
}

TEST(ListeXml, SeulsLesElementsDUnePartieDeviennentDesTags) {
  std::vector<pgn::PartieXml> parties;
  ASSERT_TRUE(pgn::lit_liste_xml(
      liste("<GAME><White>A\tB</White><Result>1-0</Result><script>x</script><Move>1.e4 1-0</Move></GAME>"),
      parties));
  ASSERT_EQ(parties.size(), 1u);
  EXPECT_EQ(parties[0].lignes_tags, std::vector<std::string>{"[White \"A B\"]"});
  EXPECT_FALSE(pgn::lit_liste_xml(QByteArray(pgn::TAILLE_MAX_DOCUMENT_XML + 1, ' '), parties)) << "too large";
  // What is written is well-formed whatever the values hold.
  // "M\xC3\xBCller" as a badly converted file holds it: ISO-8859-1 bytes that
  // also read as UTF-8 stay ISO-8859-1, as the list declares.
  const QByteArray p = pgn::octets_liste_xml(
      pgn::partie_xml("[White \"a\x01" "b\"]\r\n[Black \"'q' \\\"x\\\" <&>\"]\r\n[Site \"M\xC3\x83\xC2\xBCller\"]\r\n", "1.d4 *"),
      QDateTime::currentDateTime());
  ASSERT_TRUE(pgn::lit_liste_xml(p, parties));
  ASSERT_EQ(parties.size(), 1u);
  EXPECT_EQ(parties[0].tags, (std::vector<std::pair<std::string, std::string>>{
                                 {"Site", "M\xC3\x83\xC2\xBCller"}, {"White", "a b"}, {"Black", "'q' \"x\" <&>"}}));
}

TEST_F(FormulaireXml, LaDernierePartieEstChargeeEtLesAutresSontDansLaListe) {
  ServeurHttp serveur;
  serveur.repond(reponse_http(200, "OK", liste(PARTIE_2 + PARTIE_1)));
  xml& f = ouvre();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Charger une partie distante (XML)"));
  EXPECT_EQ(f.Command1->text(), QStringLiteral("&Annuler"));
  plateforme::BoitesEnTest::repond(boite::OK);
  charge_adresse(f, serveur.adresse(QStringLiteral("/parties.xml")));
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].titre, QStringLiteral("Partie chargée format XML - Notation PGN"));
  EXPECT_TRUE(plateforme::BoitesEnTest::textes()[0].contains(texte(890).arg(2).arg(2)))
      << "the message says which game it is";
  EXPECT_EQ(entete_pgn,
            "[Event \"Open\"]\r\n[White \"L\xC3\xA9on & fils\"]\r\n[Black \"Jones\"]\r\n[Comment \"Belle partie\"]\r\n\r\n")
      << "the tags of that game alone";
  EXPECT_EQ(texte_partie, "1.e4 e5 2.Nf3");
  EXPECT_EQ(resultat_partie, "1-0");
  EXPECT_EQ(lignes_coups().size(), 4) << lignes_coups().join(" | ").toStdString();
  EXPECT_FALSE(plateforme::curseur_attente_actif());
  EXPECT_TRUE(f.Command2->isEnabled());
  // Every game of the document is in the game list, the loaded one marked.
  EXPECT_EQ(colonne(0), QStringList({"Rapide", "Open"}));
  EXPECT_EQ(colonne(4), QStringList({"Dupont", QString::fromUtf8("L\xC3\xA9on & fils")}));
  EXPECT_EQ(colonne(6), QStringList({"*", "1-0"}));
  EXPECT_EQ(icones(), QStringList({"", "main"}));
  // A double-click loads another game of the document, without fetching it again.
  plateforme::BoitesEnTest::efface();
  plateforme::BoitesEnTest::repond(boite::OK);
  double_clic(0);
  EXPECT_EQ(serveur.requetes(), 1);
  EXPECT_TRUE(plateforme::BoitesEnTest::textes().value(0).contains(texte(890).arg(1).arg(2)));
  EXPECT_EQ(texte_partie, "1.d4 d5 2.c4");
  EXPECT_EQ(entete_pgn, "[Event \"Rapide\"]\r\n[White \"Dupont\"]\r\n\r\n");
  EXPECT_EQ(icones(), QStringList({"main", "validation"}));
}

TEST_F(FormulaireXml, UnePartieArriveePendantUneListeOuLaMachineNEstPasChargeeEtLeMessageDitPourquoi) {
  const QString grand = ecrit_fichier(beaucoup_de_parties(200000));
  max_seuil_partie = 32767;
  const std::string avant = texte_partie;
  struct Cas {
    const char* nom;
    int message;
  } cas[] = {{"a PGN listing runs", 744}, {"the machine plays", 745}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    ServeurHttp serveur;
    serveur.repond(reponse_http(200, "OK", liste(PARTIE_1)));
    xml& f = ouvre();
    plateforme::BoitesEnTest::efface();
    plateforme::BoitesEnTest::repond(boite::OK);
    auto arrive = [&] {
      charge_adresse(f, serveur.adresse(QStringLiteral("/partie.xml")));
      if (patience* w = patience::existante()) w->Command1->click();  // the listing ends
    };
    if (c.message == 744) {
      QTimer::singleShot(0, [&] {
        EXPECT_TRUE(lecture_pgn_en_cours());
        arrive();
      });
      charge_pgn(1, grand);
    } else {
      GardeMachine occupee;
      arrive();
    }
    EXPECT_EQ(plateforme::BoitesEnTest::textes(), QStringList{texte(c.message)});
    EXPECT_EQ(texte_partie, avant) << "the game in hand stays";
    EXPECT_FALSE(lecture_pgn_en_cours());
  }
}

TEST_F(FormulaireXml, FermerLeFormulaireArreteLeTransfert) {
  ServeurHttp serveur;
  serveur.silence();
  texte_partie = "1.c4";
  xml& f = ouvre();
  f.Text1->setText(serveur.adresse());
  f.Command2->click();
  ASSERT_TRUE(attend([&] { return serveur.requetes() == 1; }));
  EXPECT_TRUE(plateforme::curseur_attente_actif());
  f.Command2->click();
  EXPECT_EQ(serveur.requetes(), 1) << "no second fetch while one runs";
  f.Command1->click();
  EXPECT_TRUE(attend([&] { return serveur.client_parti(); })) << "the connection is dropped";
  EXPECT_EQ(fenetres::existante<xml>(), nullptr);
  EXPECT_FALSE(plateforme::curseur_attente_actif());
  EXPECT_EQ(texte_partie, "1.c4");
}

TEST_F(FormulaireXml, SansPartieLaPartieEnMainResteEtLeMessageLeDit) {
  const QString echec = QStringLiteral("Impossible de charger le fichier distant (XML) !\r\nVérifier l'adresse (URL) du fichier XML");
  struct Cas {
    const char* nom;
    QByteArray reponse;  // empty: the server keeps silent
    bool port_ferme = false;
  };
  const Cas cas[] = {
      {"an empty movetext", reponse_http(200, "OK", liste("<GAME><Event>X</Event><Move></Move></GAME>"))},
      {"not well-formed", reponse_http(200, "OK", liste("<GAME><Move>1.e4 & *</Move></GAME>"))},
      {"404", reponse_http(404, "Not Found", "absent")},
      {"no answer", QByteArray()},
      {"nobody listening", reponse_http(200, "OK", liste(PARTIE_1)), true},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    texte_partie = "1.c4";
    entete_pgn = "[Event \"Avant\"]\r\n\r\n";
    plateforme::BoitesEnTest::efface();
    ServeurHttp serveur;
    if (c.reponse.isEmpty())
      serveur.silence();
    else
      serveur.repond(c.reponse);
    if (c.port_ferme) serveur.ferme();
    xml& f = ouvre();
    plateforme::BoitesEnTest::repond(boite::OK);
    f.Text1->setText(serveur.adresse());
    f.Command2->click();
    if (c.reponse.isEmpty()) {
      ASSERT_TRUE(attend([&] { return serveur.requetes() == 1; }));
      EXPECT_TRUE(plateforme::curseur_attente_actif());
      EXPECT_FALSE(f.Command2->isEnabled()) << "one load at a time";
      // Fifteen seconds, ticked by the test.
      for (int i = 0; i < 14; ++i) f.Timer1->tick();
      EXPECT_TRUE(f.telechargement()) << "still waiting after 14 s";
      f.Timer1->tick();
    }
    ASSERT_TRUE(attend([&] { return !f.telechargement(); }));
    EXPECT_EQ(plateforme::BoitesEnTest::textes(), QStringList{echec});
    EXPECT_EQ(texte_partie, "1.c4");
    EXPECT_EQ(entete_pgn, "[Event \"Avant\"]\r\n\r\n");
    fenetres::decharge<xml>();
  }
}

TEST_F(FormulaireXml, LAdresseVientDuChampOuDeLaListe) {
  xml& f = ouvre();
  EXPECT_EQ(f.Text1->text(), QStringLiteral("http://"));
  plateforme::BoitesEnTest::repond(boite::OK);
  f.Text1->setText(QStringLiteral("ftp://a.org/p.xml"));
  f.Command2->click();
  EXPECT_EQ(plateforme::BoitesEnTest::textes(), QStringList{"L'adresse sélectionnée est incorrecte !"});

  const QString fichier = ecrit_fichier("# parties du club\r\nhttp://a.org/1.xml\nFinale https://a.org/2.xml\r\n",
                                        QStringLiteral("adresses.txt"));
  plateforme::DialoguesEnTest::repond(fichier);
  f.Command3->click();
  EXPECT_EQ(plateforme::DialoguesEnTest::vus().value(0).titre,
            QStringLiteral("Sélectionner un fichier contenant des URL de parties"));
  EXPECT_EQ(plateforme::DialoguesEnTest::vus().value(0).filtre, QStringLiteral("Fichiers TXT (*.txt)|*.txt"));
  ASSERT_EQ(f.List1->count(), 2);
  EXPECT_EQ(f.Frame1->title(), QStringLiteral(" 2 URL chargée(s)"));
  struct Cas {
    int ligne;
    const char* adresse;
  };
  for (const Cas& c : {Cas{0, "http://a.org/1.xml"}, Cas{1, "https://a.org/2.xml"}}) {
    f.List1->setCurrentRow(c.ligne);
    emit f.List1->itemClicked(f.List1->item(c.ligne));
    EXPECT_EQ(f.Text1->text(), QString::fromLatin1(c.adresse));
  }

  plateforme::BoitesEnTest::efface();
  plateforme::BoitesEnTest::repond(boite::OK);
  plateforme::DialoguesEnTest::repond(QDir(dossier()).filePath("absent.txt"));
  f.Command3->click();
  EXPECT_EQ(plateforme::BoitesEnTest::textes(),
            QStringList{"Le fichier est inconnu ! (" + QDir(dossier()).filePath("absent.txt") + ")"});
  EXPECT_EQ(f.List1->count(), 2) << "the list read before stays";
}

TEST_F(FormulaireXml, LesLibellesDesFormulairesSuiventLaLangue) {
  cle_langue = 2;
  applique_langue();
  affiche_sauve();
  affiche_xml();
  for (QWidget* f : std::initializer_list<QWidget*>{fenetres::existante<sauve>(), fenetres::existante<xml>()}) {
    ASSERT_NE(f, nullptr);
    const std::vector<Libelle>* table = libelles_de(f->objectName());
    ASSERT_NE(table, nullptr) << f->objectName().toStdString();
    for (const Libelle& l : *table) {
      SCOPED_TRACE(testing::Message() << f->objectName().toStdString() << " " << (l.controle ? l.controle : "title"));
      if (!l.controle) {
        EXPECT_EQ(f->windowTitle(), texte(l.numero));
        continue;
      }
      EXPECT_EQ(texte_montre(cible_libelle(f, l)), texte(l.numero));
    }
  }
  EXPECT_EQ(fenetres::existante<xml>()->Command1->text(), fenetres::existante<sauve>()->Command2->text())
      << "both close buttons show the same text";
  EXPECT_NE(fenetres::existante<sauve>()->Command2->text(), QStringLiteral("&Annuler"));
  fenetres::decharge<sauve>();
  cle_langue = 1;
  applique_langue();
}

TEST_F(FormulaireXml, LesItemsDuMenuOuvrentLesFormulairesDesFichiers) {
  Menu& m = fenetres::instance<Menu>();
  fenetres::decharge<plateau>();
  texte_partie.clear();
  m.actualise_menus();
  EXPECT_FALSE(m.menu_sauve->isEnabled()) << "no game to save";
  EXPECT_TRUE(m.menu_sauve_fichier->isEnabled());
  EXPECT_TRUE(m.menu_charge_xml->isEnabled());
  texte_partie = "1.e4";
  m.actualise_menus();
  EXPECT_TRUE(m.menu_sauve->isEnabled()) << "the game left in hand";

  m.menu_sauve->trigger();
  EXPECT_NE(fenetres::existante<sauve>(), nullptr);
  m.menu_charge_xml->trigger();
  EXPECT_NE(fenetres::existante<xml>(), nullptr);
  m.menu_sauve_fichier->trigger();
  charge* c = fenetres::existante<charge>();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(mode_charge, 1);
  EXPECT_EQ(c->windowTitle(), QStringLiteral("Extraire et sauvegarder des parties"));
  EXPECT_FALSE(c->Frame2->isHidden());
  EXPECT_TRUE(c->Command2->isHidden());
  fenetres::decharge<sauve>();
  fenetres::decharge<charge>();
}
