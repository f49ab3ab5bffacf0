// FEN text and position string: writing, reading, copy and paste through the
// clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/regles.h"
#include "chess/fen.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "play/position_presse_papiers.h"
#include "play/rejoue.h"
#include "tests/play/aide_commandes.h"

using plateforme::BoitesEnTest;

namespace {

const char* const DEPART = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

class Fen : public TestCommandes, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    TestCommandes::SetUp();
    nouvelle_partie(GetParam());
    style_notation = 2;
    QGuiApplication::clipboard()->clear();
  }
  std::string fen_du_controle() {
    const mvdechiquier::Echiquier& e = *echiquier_;
    return ecrit_fen([&e](int c, int l) { return e.Piece(c, l); });
  }
  std::string copie(int index) {
    copie_position(controles_, index);
    return QGuiApplication::clipboard()->text().toStdString();
  }
  void presse_papiers(const QString& texte) { QGuiApplication::clipboard()->setText(texte); }
  void rejoue(const char* movetext) {
    texte_partie = movetext;
    rejoue_partie(controles_, GetParam());
  }
};

// Orientation only.
class FenOrientation : public Fen {};

}  // namespace

TEST_P(FenOrientation, PositionsConnues) {
  EXPECT_EQ(copie(2), DEPART);
  rejoue("1.e4 ");
  EXPECT_EQ(copie(2), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  rejoue("1.e4 c5 ");
  EXPECT_EQ(copie(2), "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2");
  rejoue("1.e4 c5 2.Nf3 ");
  EXPECT_EQ(copie(2), "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2");
  rejoue("1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O Nf6 5.d4 exd4 6.e5 d5 7.exd6 Qxd6 8.Re1+ Be6 9.Ng5 O-O-O 1/2-1/2 ");
  EXPECT_EQ(copie(2), "2kr3r/ppp2ppp/2nqbn2/2b3N1/2Bp4/8/PPP2PPP/RNBQR1K1 w - - 4 10");
}

TEST_P(FenOrientation, LeRoqueNEstEcritQueSiRoiEtTourSontEnPlace) {
  rejoue("1.h4 a5 2.Rh3 ");
  roque_interdit[BLANC] = 0;  // as after a paste of the position string
  EXPECT_EQ(copie(2), "rnbqkbnr/1ppppppp/8/p7/7P/7R/PPPPPPP1/RNBQKBN1 b Qkq - 1 2");
}

TEST_P(FenOrientation, CopierPuisCollerRendLaMemePartie) {
  rejoue("1.e4 c5 2.Nf3 d6 3.d4 cxd4 4.Nxd4 Nf6 5.Nc3 a6 6.Rg1 ");
  const std::string fen = copie(2);
  const std::string chaine = chaine_du_controle(*echiquier_);
  const int trait = dernier_trait, numero = numero_coup;
  const int rb = roque_interdit[BLANC], rn = roque_interdit[NOIR];

  rejoue("1.d4 d5 ");
  presse_papiers(QString::fromStdString(fen));
  EXPECT_EQ(colle_position(controles_), CollageLu::FEN);
  EXPECT_EQ(chaine_du_controle(*echiquier_), chaine);
  EXPECT_EQ(dernier_trait, trait);
  EXPECT_EQ(numero_coup, numero);
  EXPECT_EQ(roque_interdit[BLANC] != 0, rb != 0);
  EXPECT_EQ(roque_interdit[NOIR] != 0, rn != 0);
  EXPECT_EQ(copie(2), fen) << "the pasted position copies to the same text";
  EXPECT_TRUE(lignes().isEmpty());
  ASSERT_EQ(historique_positions.size(), 1u);
  EXPECT_EQ(historique_positions[0], chaine);

  // The position string too.
  const std::string s = copie(1);
  EXPECT_EQ(s, chaine);
  rejoue("1.d4 d5 ");
  presse_papiers(QString::fromStdString(s));
  EXPECT_EQ(colle_position(controles_), CollageLu::CHAINE);
  EXPECT_EQ(chaine_du_controle(*echiquier_), chaine);
  EXPECT_EQ(historique_positions, std::vector<std::string>{chaine});
}

TEST_P(FenOrientation, UnFenColleSePoseSelonLOrientation) {
  presse_papiers(QStringLiteral("  4k3/8/8/8/8/8/4P3/4K3 b - - 0 40 \r\n"));
  ASSERT_EQ(colle_position(controles_), CollageLu::FEN);
  EXPECT_EQ(code_en("e1"), ROI_BLANC);
  EXPECT_EQ(code_en("e2"), PION_BLANC);
  EXPECT_EQ(code_en("e8"), ROI_NOIR);
  EXPECT_EQ(code_en("d1"), CASE_VIDE);
  EXPECT_EQ(dernier_trait, BLANC) << "Black to move";
  EXPECT_EQ(numero_coup, 40);
  EXPECT_NE(roque_interdit[BLANC], 0);
  EXPECT_NE(roque_interdit[NOIR], 0);
  EXPECT_EQ(couleur_joueur, GetParam()) << "the orientation stays";
}

TEST_P(FenOrientation, LeCoupSuivantPorteLeNumeroDuTexte) {
  presse_papiers(QStringLiteral("r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 23"));
  ASSERT_EQ(colle_position(controles_), CollageLu::FEN);
  EXPECT_EQ(numero_coup, 22);
  EXPECT_TRUE(roque_permis(BLANC, AILE_ROI));
  EXPECT_FALSE(roque_permis(BLANC, AILE_DAME)) << "one letter, one wing";
  EXPECT_FALSE(roque_permis(NOIR, AILE_ROI));
  EXPECT_TRUE(roque_permis(NOIR, AILE_DAME));
  EXPECT_EQ(copie(2), "r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 23") << "the rights copy back wing by wing";
  // The game goes on from there as the replay would play it.
  int c = 0, l = 0, cd = 0, ld = 0;
  ecran("e1", c, l);
  ecran("g1", cd, ld);
  ++numero_coup;
  const CoupJoue coup = joue_coup(c, l, cd, ld, 0);
  EXPECT_EQ(coup.texte_long, " 23.O-O");
}

TEST_P(FenOrientation, UnPassantDuTexteEstRepris) {
  presse_papiers(QStringLiteral("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 30"));
  ASSERT_EQ(colle_position(controles_), CollageLu::FEN);
  int c = 0, l = 0;
  ecran("d6", c, l);
  EXPECT_EQ(passant_noir, c * 10 + l);
  EXPECT_EQ(passant_blanc, 0);
  EXPECT_EQ(copie(2), "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 30");
}

TEST_P(FenOrientation, DesPointsPourLesCasesVides) {
  presse_papiers(QStringLiteral("....k.../8/8/8/8/8/8/4K2R w K - 0 1"));
  ASSERT_EQ(colle_position(controles_), CollageLu::FEN);
  EXPECT_EQ(copie(2), "4k3/8/8/8/8/8/8/4K2R w K - 0 1");
}

TEST_P(FenOrientation, UnFenMalFormeNeChangeRien) {
  rejoue("1.e4 e5 2.Nf3 ");
  texte_partie = "1.e4 e5 2.Nf3";
  commentaires_coups = {"", "good"};
  const std::string avant = chaine_du_controle(*echiquier_);
  const auto histoire = historique_positions;
  const int trait = dernier_trait, numero = numero_coup;
  const char* const mauvais[] = {
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq - 0 1",             // seven rows
      "rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",    // nine files
      "rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",   // nine pieces
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1",    // unknown letter
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1",    // side
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQxq - 0 1",    // castling
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e9 0 1",   // en passant
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e3 0 1",   // White's two-step, White to move
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - a 1",    // half-moves
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 x",  // a seventh field
      "rnbq1bnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1",      // no Black king
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",                 // no side
      // Positions that cannot arise.
      "4k3/8/8/8/3pN3/8/8/4K3 b - e3 0 1",                             // no pawn passed e3
      "4k3/8/8/8/3pP3/8/4P3/4K3 b - e3 0 1",                           // e2 is taken
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKKNR w KQkq - 0 1",      // two White kings
      "4k3/8/8/8/8/8/8/P3K3 w - - 0 1",                                // a pawn on rank 1
      "rnbqkbnP/pppppppp/8/8/8/8/PPPPPPP1/RNBQKBNR w KQkq - 0 1",      // a pawn on rank 8
      "4k3/8/8/8/8/8/8/r3K3 b - - 0 1",                                // White, not to move, in check
  };
  for (const char* m : mauvais) {
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    presse_papiers(QString::fromLatin1(m));
    EXPECT_EQ(colle_position(controles_), CollageLu::RIEN) << m;
    ASSERT_EQ(BoitesEnTest::vues().size(), 1) << m;
    // Not a FEN text, or a position refused with its fault named.
    const QString t = BoitesEnTest::vues()[0].texte;
    EXPECT_TRUE(t == texte(338) || t == texte(176) || t.startsWith(texte(709).section("%1", 0, 0))) << m;
    EXPECT_EQ(BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
    EXPECT_EQ(chaine_du_controle(*echiquier_), avant) << m;
    EXPECT_EQ(historique_positions, histoire) << m;
    EXPECT_EQ(lignes().size(), 3) << m;
    EXPECT_EQ(dernier_trait, trait);
    EXPECT_EQ(numero_coup, numero);
    EXPECT_EQ(texte_partie, "1.e4 e5 2.Nf3");
    EXPECT_EQ(commentaires_coups.size(), 2u);
  }
}

TEST_P(FenOrientation, UnCollageDontUneImageManqueNeChangeRien) {
  // The board reads its pieces from a copy of the set, which then loses the
  // White queen's picture once the game is under way.
  const QString jeu = dossier() + QStringLiteral("/pieces/");
  ASSERT_TRUE(QDir().mkpath(jeu));
  for (const QString& f : QDir(dossier_pieces()).entryList(QDir::Files))
    ASSERT_TRUE(QFile::copy(dossier_pieces() + f, jeu + f));
  echiquier_->init_echiquier(GetParam(), jeu, QString());
  const std::string depart = copie(1);
  rejoue("1.e4 e5 2.Nf3 ");
  texte_partie = "1.e4 e5 2.Nf3";
  const std::string avant = chaine_du_controle(*echiquier_);
  const auto histoire = historique_positions;
  ASSERT_TRUE(QFile::remove(jeu + QString::number(DAME_BLANCHE) + QStringLiteral(".ico")));
  for (const QString& colle : {QString::fromStdString(depart), QString::fromLatin1(DEPART)}) {
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    presse_papiers(colle);
    EXPECT_EQ(colle_position(controles_), CollageLu::RIEN) << colle.toStdString();
    EXPECT_EQ(BoitesEnTest::vues().size(), 1) << "the missing picture is said";
    EXPECT_EQ(chaine_du_controle(*echiquier_), avant);
    EXPECT_EQ(historique_positions, histoire);
    EXPECT_EQ(lignes().size(), 3);
    EXPECT_EQ(texte_partie, "1.e4 e5 2.Nf3");
  }
}

TEST_P(FenOrientation, LesAutresTextesSontIgnoresSansMessage) {
  rejoue("1.e4 ");
  const std::string avant = chaine_du_controle(*echiquier_);
  const QString longue = QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1") + QString(50, QLatin1Char(' ')) +
                         QStringLiteral("x");
  for (const QString& t : {longue, QStringLiteral("hello"), QString(63, QLatin1Char('!')), QString(65, QLatin1Char('!')),
                           QString(63, QLatin1Char('!')) + QLatin1Char('A'), QString(63, QLatin1Char('!')) + QChar(0x00E9),
                           QString()}) {
    presse_papiers(t);
    EXPECT_EQ(colle_position(controles_), CollageLu::RIEN) << t.toStdString();
    EXPECT_EQ(chaine_du_controle(*echiquier_), avant);
    EXPECT_EQ(lignes().size(), 1);
  }
  EXPECT_TRUE(BoitesEnTest::vues().isEmpty());
}

TEST_P(FenOrientation, UneChaineSansLesDeuxRoisEstRefusee) {
  rejoue("1.e4 e5 2.Nf3 ");
  const std::string avant = chaine_du_controle(*echiquier_);
  const auto histoire = historique_positions;
  struct Cas {
    bool roi_blanc, roi_noir;
  };
  for (const Cas& c : {Cas{true, false}, Cas{false, true}, Cas{false, false}}) {
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    std::string s(64, '!');
    if (c.roi_blanc) s[(5 - 1) * 8 + (8 - 1)] = static_cast<char>(32 + ROI_BLANC);
    if (c.roi_noir) s[(5 - 1) * 8 + (1 - 1)] = static_cast<char>(32 + ROI_NOIR);
    s[(1 - 1) * 8 + (8 - 1)] = static_cast<char>(32 + TOUR_BLANCHE);
    presse_papiers(QString::fromLatin1(s.c_str()));
    EXPECT_EQ(colle_position(controles_), CollageLu::RIEN) << s;
    ASSERT_EQ(BoitesEnTest::vues().size(), 1);
    EXPECT_EQ(BoitesEnTest::vues()[0].texte, texte(176));
    EXPECT_EQ(BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
    EXPECT_EQ(chaine_du_controle(*echiquier_), avant);
    EXPECT_EQ(historique_positions, histoire);
    EXPECT_EQ(lignes().size(), 3);
  }
}

TEST_P(FenOrientation, UnCollageCommenceUnePartieVierge) {
  rejoue("1.e4 e5 2.Nf3 1-0 ");
  commentaires_coups = {"", "first", "second"};
  notes_coups = {0.0f, 12.5f};
  echiquier_->trace_ligne(1, 1, 3, 3, 255, 0.5f, 0, 2);
  // 64 codes: a lone pair of kings and a White rook, the rest empty.
  std::string s(64, '!');
  s[(5 - 1) * 8 + (8 - 1)] = static_cast<char>(32 + ROI_BLANC);
  s[(5 - 1) * 8 + (1 - 1)] = static_cast<char>(32 + ROI_NOIR);
  s[(1 - 1) * 8 + (8 - 1)] = static_cast<char>(32 + TOUR_BLANCHE);
  presse_papiers(QString::fromLatin1(s.c_str()));
  ASSERT_EQ(colle_position(controles_), CollageLu::CHAINE);
  EXPECT_EQ(echiquier_->Piece(5, 8), ROI_BLANC);
  EXPECT_EQ(tab_echiquier(1, 8), TOUR_BLANCHE);
  EXPECT_EQ(echiquier_->Piece(2, 2), CASE_VIDE);
  EXPECT_EQ(texte_partie, "");
  EXPECT_EQ(texte_partie_longue, "");
  EXPECT_EQ(resultat_partie, "*");
  EXPECT_EQ(commentaires_coups, std::vector<std::string>{""});
  EXPECT_TRUE(notes_coups.empty());
  // The king and the rook stand on e1 and a1 only with White at the bottom.
  EXPECT_EQ(roque_interdit[BLANC], GetParam() == BLANC ? ROQUE_GRAND_SEUL : -1);
  EXPECT_EQ(passant_blanc, 0);
  EXPECT_EQ(passant_noir, 0);
  EXPECT_EQ(numero_coup, 0);
  EXPECT_EQ(echiquier_->nb_traces(), 0);
  EXPECT_TRUE(lignes().isEmpty());
  EXPECT_EQ(historique_positions, std::vector<std::string>{s});
}

INSTANTIATE_TEST_SUITE_P(Orientations, FenOrientation, ::testing::Values(BLANC, NOIR));

TEST(LectureFen, ChampsFacultatifsEtNumeros) {
  auto p = lit_fen("4k3/8/8/8/8/8/8/4K3 b", BLANC);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->dernier_trait, BLANC);
  EXPECT_EQ(p->numero_coup, 1);
  EXPECT_EQ(p->roque_blanc, -1);
  EXPECT_EQ(p->roque_noir, -1);
  p = lit_fen("4k3/8/8/8/8/8/8/4K3 w - - 0 0", BLANC);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->numero_coup, 0) << "a move number 0 reads as 1";
  EXPECT_FALSE(lit_fen("4k3/8/8/8/8/8/8/4K3 w - - 0 99999", BLANC).has_value());
  EXPECT_FALSE(lit_fen("", BLANC).has_value());
  EXPECT_FALSE(lit_fen("4k3/8/8/8/8/8/8/4K3/8 w", BLANC).has_value());
  // The start position read in either orientation gives the board the control sets up.
  for (int couleur : {BLANC, NOIR}) {
    couleur_joueur = couleur;
    place_position_depart();
    const TableauCases depart = tab_echiquier;
    p = lit_fen(DEPART, couleur);
    ASSERT_TRUE(p.has_value());
    EXPECT_TRUE(p->cases == depart) << "orientation " << couleur;
  }
}
