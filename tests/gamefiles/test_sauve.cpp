// The save form: its text, the PGN and XML files it writes (read back by
// pgn-extract and by the program's own readers), adding to a file, refusals.
#include <sys/stat.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/fenetres.h"
#include "app/fichiers_recents.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "chess/poids.h"
#include "gamefiles/liste_xml.h"
#include "gamefiles/movetext_pgn.h"
#include "gamefiles/sauve.h"
#include "openings/reglages_ouvertures.h"
#include "platform/dialogues_fichiers.h"
#include "localisation/textes_langue.h"
#include "tests/common/aide_pdf.h"
#include "tests/gamefiles/aide_pgn.h"

namespace {

const std::string ENTETE =
    "[Event \"Open de Besan\xC3\xA7on\"]\r\n[Site \"Dijon\"]\r\n[Date \"2024.05.01\"]\r\n[Round \"3\"]\r\n"
    "[White \"L\xC3\xA9on & fils\"]\r\n[Black \"Jones <Paul>\"]\r\n[WhiteElo \"2100\"]\r\n[Result \"1-0\"]\r\n"
    "[ECO \"C50\"]\r\n[Comment \"Partie \xE2\x82\xAC sign\xC3\xA9\x65\"]\r\n\r\n";

class FormulaireSauve : public TestPgn {
 protected:
  void SetUp() override {
    TestPgn::SetUp();
    entete_pgn = ENTETE;
    texte_partie = "1.e4 e5 2.Nf3 Nc6";
    texte_partie_longue = "1.e2-e4 e7-e5 2.Ng1-f3 Nb8-c6";
    resultat_partie = "1-0";
    commentaires_coups = {"", "bon", "", "", "solide"};
    sauve_abrege = 1;
  }
  void TearDown() override {
    fenetres::decharge<sauve>();
    TestPgn::TearDown();
  }
  sauve& ouvre() {
    affiche_sauve();
    return *fenetres::existante<sauve>();
  }
  // Saves through the form to `nom` in the test's folder; the answers the
  // boxes get are queued by the caller.
  QString enregistre(sauve& f, const QString& nom, bool xml, bool ajoute = false) {
    const QString chemin = QDir(dossier()).filePath(nom);
    f.Option1[xml ? 2 : 1]->setChecked(true);
    f.Check1->setChecked(ajoute);
    plateforme::DialoguesEnTest::repond(chemin);
    f.Command1->click();
    return chemin;
  }
};

}  // namespace

TEST_F(FormulaireSauve, LeTexteEstLaPartieEnFormeDExportQuelleQueSoitLaNotation) {
  // The roster first and in order, the other tags after it as they stood;
  // the moves in standard notation whatever the move list shows.
  const QString attendu = QString::fromUtf8(
      "[Event \"Open de Besan\xC3\xA7on\"]\n[Site \"Dijon\"]\n[Date \"2024.05.01\"]\n[Round \"3\"]\n"
      "[White \"L\xC3\xA9on & fils\"]\n[Black \"Jones <Paul>\"]\n[Result \"1-0\"]\n[WhiteElo \"2100\"]\n"
      "[ECO \"C50\"]\n[Comment \"Partie \xE2\x82\xAC sign\xC3\xA9\x65\"]\n\n1.e4 {bon} 1...e5 2.Nf3 Nc6 {solide} 1-0");
  for (int abrege : {1, 0}) {
    sauve_abrege = abrege;
    sauve& f = ouvre();
    EXPECT_EQ(f.Text1->toPlainText(), attendu) << abrege;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Sauvegarder la partie en cours"));
    EXPECT_EQ(f.Command1->text(), QStringLiteral("&Sauvegarder"));
    EXPECT_EQ(f.Command2->text(), QStringLiteral("&Annuler"));
    EXPECT_EQ(f.Check1->text(), QStringLiteral("A&jouter à la fin du fichier (si existant)"));
    fenetres::decharge<sauve>();
  }
  // The print button prints the game in hand, its tag lines and moves.
  sauve& f = ouvre();
  plateforme::BoitesEnTest::repond(boite::OK);
  f.Command3->click();
  ASSERT_EQ(impressions().size(), 1);
  const QString page = pages_pdf(impressions().back()).value(0);
  for (const char* attendu : {"[Site \"Dijon\"]", "[Black \"Jones <Paul>\"]", "2.Ng1-f3 Nb8-c6"})
    EXPECT_TRUE(page.contains(QString::fromUtf8(attendu))) << attendu << "\n" << page.toStdString();
  EXPECT_EQ(plateforme::BoitesEnTest::textes(), QStringList{texte(220)});
}

TEST_F(FormulaireSauve, SansEnteteLesJoueursSuiventLeModeEtLeCamp) {
  entete_pgn.clear();
  lieu_jeu = QStringLiteral("Autun");
  eco_courant = QStringLiteral("C20");
  ouverture_courante = QStringLiteral("Partie du pion roi");
  nom_joueur[1] = QStringLiteral("Anne");
  nom_moteur[1] = QStringLiteral("Morva");
  nom_moteur[2] = QStringLiteral("Morva II");
  niveau_elo[1] = 1500;
  table_elo[1] = QStringLiteral("1200");
  table_elo[2] = QStringLiteral("1600");
  table_elo[4] = QString(4, QChar(0));
  profondeur_max[1] = 1;
  profondeur_max[2] = 2;
  profil_moteur = 1;
  struct Cas {
    int mode, couleur, profil2;
    const char *blanc, *noir, *elo_blanc, *elo_noir;
  };
  const Cas cas[] = {
      // The user's rating goes with the user, the level's Elo with the engine.
      {2, BLANC, 0, "Anne", "Morva", "1500", "1200"},
      {2, NOIR, 0, "Morva", "Anne", "1200", "1500"},
      {4, BLANC, 1, "Morva", "Morva II", "1200", "1600"},
      {4, BLANC, 0, "Morva", "Morva", "1200", "1200"},
  };
  for (const Cas& c : cas) {
    mode_jeux = c.mode;
    couleur_joueur = c.couleur;
    profil2_charge = c.profil2;
    const std::string e = entete_sauvegarde();
    const std::vector<pgn::PartieLue> lues = lit_texte(e + "1.e4 1-0\r\n");
    ASSERT_EQ(lues.size(), 1u);
    const pgn::PartieLue& p = lues[0];
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.couleur << " " << c.profil2);
    const std::pair<const char*, std::string> tags[] = {
        {"White", c.blanc},      {"Black", c.noir}, {"WhiteElo", c.elo_blanc}, {"BlackElo", c.elo_noir},
        {"Event", "Nouvelle partie"}, {"Site", "Autun"}, {"Date", QDate::currentDate().toString("yyyy.MM.dd").toStdString()},
        {"Result", "1-0"},       {"ECO", "C20"},    {"Opening", "Partie du pion roi"}, {"Variation", "a modifier"}};
    for (const auto& [tag, valeur] : tags) EXPECT_EQ(p.valeur_tag(tag), valeur) << tag;
    EXPECT_TRUE(e.ends_with("\"]\r\n\r\n"));
  }
  // The fifth level has no Elo: the tag is empty, without control characters.
  profondeur_max[1] = 4;
  mode_jeux = 4;
  EXPECT_NE(entete_sauvegarde().find("[WhiteElo \"\"]"), std::string::npos);
}

TEST_F(FormulaireSauve, LePgnEnregistreSeRelitParPgnExtractEtParLeProgramme) {
  const QString outil = chemin_pgn_extract();
  sauve& f = ouvre();
  // An edit of the text reaches the file.
  f.Text1->setPlainText(f.Text1->toPlainText().replace(QStringLiteral("Dijon"), QStringLiteral("Beaune")));
  plateforme::BoitesEnTest::repond(boite::OK);
  const QString chemin = enregistre(f, QStringLiteral("partie.pgn"), false);
  ASSERT_EQ(plateforme::BoitesEnTest::textes().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::textes()[0], QStringLiteral("La partie a été enregistrée avec succès dans le fichier ") + chemin);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::INFORMATION);
  EXPECT_EQ(fichiers_recents().value(0), chemin) << "the file joins the recent files";
  const plateforme::DialogueVu d = plateforme::DialoguesEnTest::vus().value(0);
  EXPECT_TRUE(d.sauver);
  EXPECT_EQ(d.titre, QStringLiteral("Sélectionner un fichier de parties"));
  EXPECT_EQ(d.filtre, QStringLiteral("Fichiers PGN (*.pgn)|*.pgn"));
  EXPECT_EQ(d.nom, QStringLiteral("Morva") + QDate::currentDate().toString("ddMMyy") + QStringLiteral(".pgn"));

  const QByteArray octets = octets_fichier(chemin);
  EXPECT_TRUE(octets.contains("Besan\xE7on")) << "Windows-1252 when the text fits";
  EXPECT_FALSE(octets.contains("\n\n")) << "CRLF line ends";
  const std::vector<pgn::PartieLue> lues = lit_toutes(chemin);
  ASSERT_EQ(lues.size(), 1u);
  EXPECT_EQ(lues[0].valeur_tag("Site"), "Beaune");
  const pgn::MovetextLu m = pgn::lit_movetext(lues[0].movetext);
  EXPECT_EQ(m.coups, (std::vector<std::string>{"e4", "e5", "Nf3", "Nc6"}));
  EXPECT_EQ(m.commentaires, (std::vector<std::string>{"", "bon", "", "", "solide"}));
  EXPECT_EQ(m.resultat, "1-0");

  if (outil.isEmpty()) GTEST_SKIP() << "pgn-extract is not installed (tools/installe_paquets.sh installs it)";
  QString erreurs;
  const std::vector<pgn::PartieLue> relues = relu_par_pgn_extract(chemin, &erreurs);
  EXPECT_TRUE(erreurs.isEmpty()) << erreurs.toStdString();
  ASSERT_EQ(relues.size(), 1u);
  EXPECT_EQ(relues[0].valeurs[pgn::WHITE], QString::fromUtf8("L\xC3\xA9on & fils"));
  EXPECT_EQ(pgn::lit_movetext(relues[0].movetext).coups.size(), 4u);
}

TEST_F(FormulaireSauve, AjouterUnePartieLaSepareDeLaPrecedente) {
  const QString outil = chemin_pgn_extract();
  struct Cas {
    const char* nom;
    std::string avant;
  };
  const Cas cas[] = {
      {"ending with an empty line", partie_pgn("A", "B", "1.d4 d5", "*")},
      {"ending with its movetext line", "[White \"A\"]\r\n\r\n1.d4 d5 *\r\n"},
      {"without a final line end", "[White \"A\"]\n\n1.d4 d5 *"},
      {"ending with several empty lines", "[White \"A\"]\n\n1.d4 d5 *\n\n\n  \n"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    const QString chemin = ecrit_fichier(c.avant, QStringLiteral("base.pgn"));
    sauve& f = ouvre();
    plateforme::BoitesEnTest::repond(boite::OK);
    enregistre(f, QStringLiteral("base.pgn"), false, true);
    const QByteArray octets = octets_fichier(chemin);
    EXPECT_TRUE(octets.startsWith(QByteArray::fromStdString(c.avant).trimmed())) << "the file's games stay as they were";
    const std::vector<pgn::PartieLue> lues = lit_toutes(chemin);
    ASSERT_EQ(lues.size(), 2u);
    EXPECT_EQ(lues[1].valeur_tag("Round"), "3");
    // Exactly one empty line between the games.
    const qsizetype nouvelle = octets.lastIndexOf("[Event \"Open de Besan");
    QByteArray entre = octets.left(nouvelle);
    entre.replace("\r", "");
    EXPECT_TRUE(entre.endsWith("\n\n") && !entre.endsWith("\n\n\n")) << octets.toStdString();
    if (!outil.isEmpty()) {
      QString erreurs;
      EXPECT_EQ(relu_par_pgn_extract(chemin, &erreurs).size(), 2u);
      EXPECT_TRUE(erreurs.isEmpty()) << erreurs.toStdString();
    }
    plateforme::BoitesEnTest::efface();
  }
}

TEST_F(FormulaireSauve, UnAjoutGardeLEncodageDuFichierOuLePasseEnUtf8) {
  // A name outside Windows-1252 takes the whole file over to UTF-8; the
  // names already there keep their letters.
  struct Cas {
    const char* nom;
    std::string avant;       // the file's bytes
    const char* blanc;       // White of the game added (UTF-8)
    bool utf8;               // the file is UTF-8 afterwards
  };
  const Cas cas[] = {
      {"Windows-1252 kept", partie_pgn("Besan\xE7on", "B", "1.d4", "*"), "L\xC3\xA9on", false},
      {"UTF-8 kept", partie_pgn("Besan\xC3\xA7on", "B", "1.d4", "*"), "L\xC3\xA9on", true},
      {"over to UTF-8", partie_pgn("Besan\xE7on", "B", "1.d4", "*"), "\xC5\x81ukasz", true},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    plateforme::BoitesEnTest::efface();
    const QString chemin = ecrit_fichier(c.avant, QStringLiteral("base.pgn"));
    entete_pgn = std::string("[White \"") + c.blanc + "\"]\r\n\r\n";
    sauve& f = ouvre();
    plateforme::BoitesEnTest::repond(boite::OK);
    enregistre(f, QStringLiteral("base.pgn"), false, true);
    const QByteArray octets = octets_fichier(chemin);
    EXPECT_EQ(octets.contains("Besan\xC3\xA7on"), c.utf8) << octets.toStdString();
    EXPECT_EQ(octets.contains("Besan\xE7on"), !c.utf8) << octets.toStdString();
    const std::vector<pgn::PartieLue> lues = lit_toutes(chemin);
    ASSERT_EQ(lues.size(), 2u);
    EXPECT_EQ(lues[0].valeur_tag("White"), "Besan\xC3\xA7on");
    EXPECT_EQ(lues[1].valeur_tag("White"), c.blanc);
    fenetres::decharge<sauve>();
  }
}

TEST_F(FormulaireSauve, LeXmlEstBienFormeEtPrendLesTagsDuTexteEtLesCoupsDeLaPartie) {
  sauve& f = ouvre();
  // Edits of the movetext do not reach the XML; edits of the tags do.
  f.Text1->setPlainText(f.Text1->toPlainText().replace(QStringLiteral("Nc6"), QStringLiteral("Nf6"))
                            .replace(QStringLiteral("[Round \"3\"]"), QStringLiteral("[Round \"4\"]")));
  plateforme::BoitesEnTest::repond(boite::OK);
  const QString chemin = enregistre(f, QStringLiteral("partie.xml"), true);
  EXPECT_EQ(plateforme::DialoguesEnTest::vus().value(0).filtre, QStringLiteral("Fichiers XML (*.xml)|*.xml"));
  const QByteArray octets = octets_fichier(chemin);
  const QList<QByteArray> lignes = octets.split('\n');
  ASSERT_GE(lignes.size(), 4);
  EXPECT_EQ(lignes[0], "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r");
  EXPECT_TRUE(lignes[1].startsWith("<!-- Morvandel 5.0.1 - ") && lignes[1].endsWith("-->\r")) << lignes[1].toStdString();
  EXPECT_EQ(lignes[2], "<LIST>\r");
  EXPECT_TRUE(octets.contains("<White>L\xE9on &amp; fils</White>\r\n")) << "ISO-8859-1 bytes, & escaped";
  EXPECT_TRUE(octets.contains("<Black>Jones &lt;Paul&gt;</Black>\r\n"));
  EXPECT_TRUE(octets.contains("<BlackElo></BlackElo>\r\n")) << "an absent tag gives an empty element";
  EXPECT_TRUE(octets.contains("<Move>1.e4 e5 2.Nf3 Nc6 1-0</Move>\r\n"));
  EXPECT_TRUE(octets.contains("<Comment>Partie &#8364; sign\xE9\x65</Comment>\r\n")) << "the euro sign as a reference";
  EXPECT_TRUE(octets.endsWith("</GAME>\r\n</LIST>\r\n"));
  EXPECT_FALSE(octets.contains("<Result>"));

  std::vector<pgn::PartieXml> parties;
  QString erreur;
  ASSERT_TRUE(pgn::lit_liste_xml(octets, parties, &erreur)) << erreur.toStdString();
  ASSERT_EQ(parties.size(), 1u);
  EXPECT_EQ(parties[0].coups, "1.e4 e5 2.Nf3 Nc6 1-0");
  const std::vector<std::pair<std::string, std::string>> attendus = {
      {"Event", "Open de Besan\xC3\xA7on"}, {"Site", "Dijon"},           {"Date", "2024.05.01"},
      {"Round", "4"},                      {"White", "L\xC3\xA9on & fils"}, {"Black", "Jones <Paul>"},
      {"WhiteElo", "2100"},                {"ECO", "C50"},             {"Comment", "Partie \xE2\x82\xAC sign\xC3\xA9\x65"}};
  EXPECT_EQ(parties[0].tags, attendus);

  // A second game goes into the same list.
  fenetres::decharge<sauve>();
  sauve& g = ouvre();
  texte_partie = "1.d4";
  plateforme::BoitesEnTest::repond(boite::OK);
  enregistre(g, QStringLiteral("partie.xml"), true, true);
  ASSERT_TRUE(pgn::lit_liste_xml(octets_fichier(chemin), parties, &erreur)) << erreur.toStdString();
  ASSERT_EQ(parties.size(), 2u);
  EXPECT_EQ(parties[1].coups, "1.d4 1-0");
  EXPECT_EQ(octets_fichier(chemin).count("<?xml"), 1);
}

TEST_F(FormulaireSauve, UnRefusOuUnEchecLaisseLeFormulaireOuvertEtLeFichierIntact) {
  const QString existant = ecrit_fichier("ancien", QStringLiteral("existant.pgn"));
  const QString liste = ecrit_fichier("pas une liste", QStringLiteral("texte.xml"));
  const QString tube = QDir(dossier()).filePath("tube.pgn");
  ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0666), 0);
  struct Cas {
    const char* nom;
    QString chemin;  // empty: the dialog is cancelled
    bool xml, ajoute;
    int reponse;     // to the overwrite question, 0 when none is asked
    const char* message;  // part of the message shown, null for none
  };
  const Cas cas[] = {
      {"cancelled dialog", QString(), false, false, 0, nullptr},
      {"No to the overwrite question", existant, false, false, boite::NON, " existe, voulez-vous l'écraser ?"},
      {"a folder that does not exist", QDir(dossier()).filePath("absent/p.pgn"), false, false, 0, "absent"},
      {"an XML addition to a file that is no game list", liste, true, true, 0, "n'est pas une liste de parties XML"},
      {"a named pipe added to", tube, false, true, 0, "tube.pgn"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    plateforme::BoitesEnTest::efface();
    sauve& f = ouvre();
    f.Option1[c.xml ? 2 : 1]->setChecked(true);
    f.Check1->setChecked(c.ajoute);
    plateforme::DialoguesEnTest::repond(c.chemin);
    if (c.reponse) plateforme::BoitesEnTest::repond(c.reponse);
    if (c.message && !c.reponse) plateforme::BoitesEnTest::repond(boite::OK);
    f.Command1->click();
    QCoreApplication::processEvents();
    EXPECT_NE(fenetres::existante<sauve>(), nullptr) << "the form stays open";
    EXPECT_EQ(plateforme::BoitesEnTest::textes().size(), c.message ? 1 : 0);
    if (c.message) {
      EXPECT_TRUE(plateforme::BoitesEnTest::textes().value(0).contains(QString::fromUtf8(c.message)))
          << plateforme::BoitesEnTest::textes().value(0).toStdString();
    }
    EXPECT_EQ(octets_fichier(existant), "ancien");
    EXPECT_EQ(octets_fichier(liste), "pas une liste");
    EXPECT_TRUE(QFileInfo(tube).exists() && !QFileInfo(tube).isFile()) << "the pipe is still there";
    EXPECT_TRUE(fichiers_recents().isEmpty());
  }
}

TEST_F(FormulaireSauve, UnAjoutNeDemandePasDEcraserLeFichier) {
  // The dialog never asks on its own: the form asks before replacing a file,
  // and nothing when it adds to one.
  struct Cas {
    const char* nom;
    bool ajoute, existe;
    QStringList questions;  // the boxes before the success message
  };
  const Cas cas[] = {
      {"added to an existing file", true, true, {}},
      {"replacing an existing file", false, true, {QStringLiteral("%1") + texte(216)}},
      {"a new file", false, false, {}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    plateforme::BoitesEnTest::efface();
    plateforme::DialoguesEnTest::efface();
    const QString chemin = QDir(dossier()).filePath(QStringLiteral("base.pgn"));
    QFile::remove(chemin);
    if (c.existe) ecrit_fichier(partie_pgn("A", "B", "1.d4 d5", "*"), QStringLiteral("base.pgn"));
    sauve& f = ouvre();
    if (!c.questions.isEmpty()) plateforme::BoitesEnTest::repond(boite::OUI);
    plateforme::BoitesEnTest::repond(boite::OK);
    enregistre(f, QStringLiteral("base.pgn"), false, c.ajoute);
    ASSERT_EQ(plateforme::DialoguesEnTest::vus().size(), 1);
    EXPECT_FALSE(plateforme::DialoguesEnTest::vus()[0].demande_ecrasement);
    QStringList attendus;
    for (const QString& q : c.questions) attendus << q.arg(chemin);
    attendus << texte(217) + chemin;
    EXPECT_EQ(plateforme::BoitesEnTest::textes(), attendus);
    EXPECT_EQ(lit_toutes(chemin).size(), c.ajoute && c.existe ? 2u : 1u);
    fenetres::decharge<sauve>();
  }
}
