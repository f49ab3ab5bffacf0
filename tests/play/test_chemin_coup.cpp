// The one path of a played move: the same game by hand, from the machine, from
// a replay and through a change of move; the clocks counting real time; the
// position state kept in the history; the half-move counter; the verdict in
// every mode; marks and caption following the position shown.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <functional>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/minuterie.h"
#include "play/commandes_partie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/navigation.h"
#include "play/partie.h"
#include "tests/play/aide_machine.h"

using boite::OK;
using boite::OUI;
using plateforme::BoitesEnTest;
using plateforme::MinuteriesEnTest;

namespace {

// What a game leaves behind, marks of evaluation ("?", "!") set aside: they
// judge moves by hand only.
struct Trace {
  QStringList lignes;
  std::string court, longue, resultat;
  size_t positions = 0;
  std::vector<float> notes;
  bool horloges_arretees = false;
  qint64 basse = 0, haute = 0;
  int numero = 0, trait = 0;
};

QString sans_marques(QString s) { return s.remove(QRegularExpression(QStringLiteral("[?!]+"))); }

Trace releve(plateau& p) {
  Trace t;
  for (int i = 0; i < p.List1->count(); ++i) t.lignes << sans_marques(p.List1->item(i)->text());
  t.court = texte_partie;
  t.longue = sans_marques(QString::fromStdString(texte_partie_longue))
                 .remove(QRegularExpression(QStringLiteral(" (1-0|0-1|1/2-1/2)$")))
                 .toStdString();
  t.resultat = resultat_partie;
  t.positions = historique_positions.size();
  t.notes = notes_coups;
  t.horloges_arretees = !p.Timer1->en_marche() && !p.Timer2->en_marche();
  t.basse = p.reste_horloge_ms(true);
  t.haute = p.reste_horloge_ms(false);
  t.numero = numero_coup;
  t.trait = dernier_trait;
  return t;
}

}  // namespace

using CheminDuCoup = TestMachine;

// Fool's mate, 1.f3 e5 2.g4 Qh4#, reached four ways.
TEST_F(CheminDuCoup, LaMemePartieParToutesLesSourcesLaisseLaMemeTrace) {
  struct Source {
    const char* nom;
    std::function<void()> joue;
    bool notes_de_la_machine;
  };
  const QString mat = texte(167) + QStringLiteral(" !!! ") + texte(147);
  const std::vector<Source> sources = {
      {"by hand",
       [&] {
         coup("f2", "f3");
         coup("e7", "e5");
         coup("g2", "g4");
         BoitesEnTest::repond(OK);
         coup("d8", "h4");
       },
       false},
      {"from the machine",
       [&] {
         ouverture_defaut[1] = QStringLiteral("f3");
         ASSERT_TRUE(joue_machine());
         coup("e7", "e5");
         coup("g2", "g4");
         BoitesEnTest::repond(OK);
         EXPECT_FALSE(joue_machine()) << "the mate ends the game";
       },
       true},
      {"from a replay",
       [&] {
         texte_partie = "1.f3 e5 2.g4 Qh4";
         rejoue_partie();
       },
       false},
      {"through a change of move",
       [&] {
         coup("f2", "f3");
         coup("e7", "e5");
         coup("g2", "g4");
         coup("d8", "g5");
         BoitesEnTest::saisit(QStringLiteral("Qh4"));
         BoitesEnTest::repond(OUI);  // the new move confirmed
         BoitesEnTest::repond(OK);   // the mate
         menu_modif_coup_Click();
       },
       false},
  };
  std::vector<Trace> traces;
  for (const Source& s : sources) {
    SCOPED_TRACE(s.nom);
    fenetres::decharge<plateau>();
    BoitesEnTest::efface();
    reinitialise_etat_jeu();
    style_notation = 2;
    ouvre();
    s.joue();
    if (s.nom != std::string("from a replay")) {
      ASSERT_FALSE(BoitesEnTest::vues().isEmpty());
      EXPECT_EQ(BoitesEnTest::vues().back().texte, mat);
    }
    traces.push_back(releve(*p));
  }
  const Trace& main = traces[0];
  EXPECT_EQ(main.lignes, (QStringList{" 1.f2-f3", "    ..... e7-e5", " 2.g2-g4", "    ..... Qd8-h4+", "0-1"}));
  EXPECT_EQ(main.court, "1.f3 e5 2.g4 Qh4");
  EXPECT_EQ(main.resultat, "0-1");
  EXPECT_EQ(main.positions, 6u) << "five lines, six positions";
  ASSERT_EQ(main.notes.size(), 3u) << "one note per move number";
  EXPECT_TRUE(main.horloges_arretees);
  for (size_t i = 0; i < sources.size(); ++i) {
    SCOPED_TRACE(sources[i].nom);
    const Trace& t = traces[i];
    EXPECT_EQ(t.lignes, main.lignes);
    EXPECT_EQ(t.court, main.court);
    EXPECT_EQ(t.longue, main.longue);
    EXPECT_EQ(t.resultat, main.resultat);
    EXPECT_EQ(t.positions, main.positions);
    EXPECT_EQ(t.numero, 2);
    EXPECT_EQ(t.trait, NOIR);
    ASSERT_EQ(t.notes.size(), main.notes.size());
    EXPECT_EQ(t.notes[1], main.notes[1]) << "1...e5 is judged the same way";
    if (!sources[i].notes_de_la_machine) {
      EXPECT_EQ(t.notes[2], main.notes[2]);
    }
    EXPECT_TRUE(t.horloges_arretees);
    EXPECT_EQ(t.basse, main.basse);
    EXPECT_EQ(t.haute, main.haute);
  }
}

// --- The clocks count the real time of the side to move -----------------------

using HorlogesReelles = TestMachine;

TEST_F(HorlogesReelles, LaMachineQuiReflechitUseSonTempsPasCeluiDeLHumain) {
  mode_jeux = 1;
  liens_jeu().joue_machine = [] {
    MinuteriesEnTest::avance(3000);  // the machine thinks three seconds
    return joue_machine();
  };
  plateau& w = ouvre();
  MinuteriesEnTest::avance(400);  // the human plays in under a second, twice
  coup("e2", "e4");
  EXPECT_EQ(w.reste_horloge_ms(true), 899600);
  EXPECT_EQ(w.reste_horloge_ms(false), 897000) << "the machine's clock ran while it thought";
  EXPECT_EQ(w.horloge_en_marche(), 1) << "the human is to move";
  EXPECT_EQ(w.horloge_haute->text(), "00:14:57");
  MinuteriesEnTest::avance(400);
  coup("d2", "d4");
  EXPECT_EQ(w.reste_horloge_ms(true), 899200) << "each move under a second still costs its time";
  EXPECT_EQ(w.reste_horloge_ms(false), 894000);
}

TEST_F(HorlogesReelles, EnJeuAutomatiqueLesDeuxHorlogesTournent) {
  mode_jeux = 4;
  plateau& w = ouvre();
  ASSERT_TRUE(w.Timer4->en_marche());
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(w.Timer4->tick());
  ASSERT_EQ(w.List1->count(), 6);
  // Each tick is 100 ms of the side to move.
  EXPECT_EQ(w.reste_horloge_ms(true), 900000 - 300);
  EXPECT_EQ(w.reste_horloge_ms(false), 900000 - 300);
  EXPECT_EQ(w.horloge_en_marche(), 1) << "White, at the bottom, is to move";
}

// --- The history keeps the whole position state ---------------------------------

using EtatDansLHistorique = TestMachine;

TEST_F(EtatDansLHistorique, RejouerDepuisUnCoupAnterieurRendLeDroitDeRoquer) {
  plateau& w = ouvre();
  const char* partie[8][2] = {{"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}, {"b8", "c6"},
                              {"f1", "c4"}, {"f8", "c5"}, {"e1", "g1"}, {"g8", "f6"}};
  for (auto& c : partie) coup(c[0], c[1]);
  ASSERT_EQ(w.List1->count(), 8);
  ASSERT_EQ(roque_interdit[BLANC], -1);
  // Back to 3...Bc5: White plays on from there with another move.
  w.List1->setCurrentRow(5);
  List1_DblClick(w);
  BoitesEnTest::repond(OUI);
  coup("d2", "d3");
  ASSERT_EQ(w.List1->count(), 7);
  EXPECT_EQ(roque_interdit[BLANC], 0) << "White has not castled in this game";
  EXPECT_EQ(numero_coup, 4);
  coup("d7", "d6");
  coup("e1", "g1");
  EXPECT_EQ(controle("g1"), ROI_BLANC);
  EXPECT_EQ(controle("f1"), TOUR_BLANCHE);
  EXPECT_EQ(sans_marques(w.List1->item(w.List1->count() - 1)->text()), " 5.O-O");
}

TEST_F(EtatDansLHistorique, LaCaseEnPassantRevientAvecLaPosition) {
  plateau& w = ouvre();
  const char* partie[6][2] = {{"e2", "e4"}, {"a7", "a6"}, {"e4", "e5"}, {"d7", "d5"}, {"h2", "h3"}, {"a6", "a5"}};
  for (auto& c : partie) coup(c[0], c[1]);
  ASSERT_EQ(passant_noir, 0) << "Black's later move took the square away";
  // Back to 2...d5: White takes en passant.
  w.List1->setCurrentRow(3);
  List1_DblClick(w);
  BoitesEnTest::repond(OUI);
  coup("e5", "d6");
  EXPECT_EQ(controle("d6"), PION_BLANC);
  EXPECT_EQ(controle("d5"), CASE_VIDE) << "the pawn taken en passant is gone";
  EXPECT_EQ(w.List1->count(), 5);
  EXPECT_EQ(nb_demi_coups, 0);
}

// --- The half-move counter ----------------------------------------------------------

using DemiCoups = TestMachine;

TEST_F(DemiCoups, ChaqueCoupEtChaqueDepartLeTiennent) {
  struct Cas {
    const char* nom;
    std::vector<std::pair<const char*, const char*>> coups;
    int attendu;
  };
  const std::vector<Cas> cas = {
      {"a new game starts from nothing", {}, 0},
      {"knight moves count", {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}}, 3},
      {"a pawn move resets", {{"g1", "f3"}, {"g8", "f6"}, {"e2", "e4"}}, 0},
      {"a capture resets", {{"g1", "f3"}, {"d7", "d5"}, {"b1", "c3"}, {"g8", "f6"}, {"c3", "d5"}}, 0},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    fenetres::decharge<plateau>();
    nb_demi_coups = 7;  // what a previous game left
    ouvre();
    for (auto& [de, a] : c.coups) coup(de, a);
    EXPECT_EQ(nb_demi_coups, c.attendu);
  }
}

TEST_F(DemiCoups, UnePromotionRemetLeCompteAZero) {
  plateau& w = ouvre();
  place({"Ke1", "Pb7", "ke8"}, NOIR);
  nb_demi_coups = 12;
  BoitesEnTest::saisit(QStringLiteral("Q"));
  coup("b7", "b8");
  EXPECT_EQ(controle("b8"), DAME_BLANCHE);
  EXPECT_EQ(nb_demi_coups, 0);
  coup("e8", "d7");
  EXPECT_EQ(nb_demi_coups, 1);
  EXPECT_EQ(w.List1->count(), 2);
}

// --- The verdict follows every move, in every mode ------------------------------

using Verdicts = TestMachine;

TEST_F(Verdicts, DeuxJoueursMatEtPatTerminentLaPartie) {
  struct Cas {
    const char* nom;
    bool mat;
    const char* de;
    const char* a;
    std::string resultat;
    QString boite;
  };
  const std::vector<Cas> cas = {
      {"mate", true, "a7", "g7", "1-0", texte(167) + " !!! " + texte(146)},
      {"stalemate", false, "e7", "f7", "1/2-1/2", "PAT !! " + texte(168)},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    fenetres::decharge<plateau>();
    BoitesEnTest::efface();
    mode_jeux = 2;
    plateau& w = ouvre();
    if (c.mat)
      place({"Kg6", "Qa7", "kg8"}, NOIR);
    else
      place({"Kg6", "Qe7", "kh8"}, NOIR);
    BoitesEnTest::repond(OK);
    coup(c.de, c.a);
    EXPECT_EQ(resultat_partie, c.resultat);
    EXPECT_EQ(lignes_liste().last(), QString::fromStdString(c.resultat));
    ASSERT_EQ(BoitesEnTest::vues().size(), 1);
    EXPECT_EQ(BoitesEnTest::vues()[0].texte, c.boite);
    EXPECT_FALSE(w.Timer1->en_marche() || w.Timer2->en_marche() || w.Timer5->en_marche());
    EXPECT_FALSE(partie_en_cours());
    // No move follows.
    coup("g6", "h6");
    EXPECT_EQ(controle("g6"), ROI_BLANC);
  }
}

// The opening base cut under the running program: the next lookup refuses, the game goes on.
TEST_F(CheminDuCoup, UneBaseCoupeeRefuseLaRechercheSuivanteEtLaPartieContinue) {
  const std::vector<std::pair<const char*, std::function<void(QFile&)>>> cas = {
      {"emptied", [](QFile& f) { f.resize(0); }},
      {"cut to half its length", [](QFile& f) { f.resize(f.size() / 2); }},
      {"overwritten", [](QFile& f) { f.open(QIODevice::ReadWrite) && f.write(QByteArray(f.size(), 'x')); }},
  };
  QStringList lignes = {QStringLiteral("1.e4 *")};
  for (int i = 0; i < 3000; ++i) lignes << QStringLiteral("1.d4 d5 2.c4 %1 *").arg(i);
  for (const auto& [nom, abime] : cas) {
    SCOPED_TRACE(nom);
    BoitesEnTest::efface();
    cree_base_ouvertures(lignes);
    analyse_ouverture = 1;
    mode_jeux = 2;
    ouvre();
    coup("e2", "e4");
    EXPECT_EQ(eco_courant, QStringLiteral("A00"));
    QFile f(db_eco.chemin());
    abime(f);
    f.close();
    for (int i = 0; i < 2; ++i) BoitesEnTest::repond(OK);
    coup("e7", "e5");
    coup("g1", "f3");
    ASSERT_EQ(BoitesEnTest::textes().size(), 2);
    for (const QString& t : BoitesEnTest::textes()) EXPECT_TRUE(t.startsWith(texte(780))) << t.toStdString();
    EXPECT_TRUE(demi_coups(texte_partie).size() == 3u && partie_en_cours()) << texte_partie;
    fenetres::decharge<plateau>();
    db_eco.ferme();
    QFile::remove(f.fileName());
  }
}

// --- Marks and caption follow the position shown --------------------------------------

using MarquesEtTitre = TestMachine;

TEST_F(MarquesEtTitre, LaNavigationEtLeChangementDeCoupLesSuivent) {
  plateau& w = ouvre();
  coup("e2", "e4");
  const QString apres_e4 = w.windowTitle();
  coup("e7", "e5");
  ASSERT_NE(w.windowTitle(), apres_e4);
  // A hint's circle, then back one move.
  w.Echiquier->trace_cercle(5, 4, 65535, 0.5f, 1, 2);
  w.action[1]->click();
  EXPECT_EQ(w.Echiquier->nb_traces(), 0);
  EXPECT_EQ(w.windowTitle(), apres_e4);
  w.action[3]->click();
  EXPECT_TRUE(w.windowTitle().contains("e5"));
  // A change of the last move: the caption names the new move.
  w.Echiquier->trace_cercle(5, 4, 65535, 0.5f, 1, 2);
  BoitesEnTest::saisit(QStringLiteral("c5"));
  BoitesEnTest::repond(OUI);
  menu_modif_coup_Click();
  EXPECT_EQ(w.Echiquier->nb_traces(), 0);
  EXPECT_TRUE(w.windowTitle().contains("[c5]")) << w.windowTitle().toStdString();
  EXPECT_EQ(texte_partie, "1.e4 c5");
}
