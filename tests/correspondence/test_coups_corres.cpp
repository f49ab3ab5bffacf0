// The move lists of correspondence games: the last move, the turn, the
// opponent's move and the move sent, each checked with the rules.
#include <gtest/gtest.h>

#include "chess/etat.h"
#include "correspondence/champs_corres.h"
#include "correspondence/coups_corres.h"
#include "localisation/textes_langue.h"
#include "tests/correspondence/aide_corres.h"

namespace {

TEST(CoupsCorres, LeDernierCoupEstLeDernierJetonSansNumero) {
  const std::pair<const char*, const char*> cas[] = {
      {"1.e4 e5 2.Cf3", "Cf3"},
      {"1.e4", "e4"},
      {"  1.e4 e5  ", "e5"},
      {"e4", "e4"},
      {"", ""},
      {"1.e4 d5 2.e5 f5 3.exf6e.p.", "exf6e.p."},
      {"1.e4 e5 2.Dh5 Cc6 3.Fc4 Cf6 4.Dxf7#", "Dxf7#"},
      {"1.e4 e5 2.Nf3 *", "Nf3"},
      {"1.e4 e5 2.Nf3 Nc6 3...", "Nc6"},
  };
  for (const auto& [coups, dernier] : cas) EXPECT_EQ(dernier_coup(QString::fromUtf8(coups)), dernier) << coups;
}

TEST(CoupsCorres, LeTraitSeDeduitDuNombreDeDemiCoups) {
  struct Cas {
    const char* coups;
    bool jai_blanc;
    bool au_joueur;
  } cas[] = {
      {"", true, true},
      {"", false, false},
      {"1.e4", true, false},
      {"1.e4", false, true},
      {"1.e4 e5", true, true},
      // Two equal moves in a row are two moves: the turn is not mistaken.
      {"1.e4 e5 2.Tg1 Tg8 3.Tg2 Tg7", true, true},
      {"1.e4 e5 2.Tg1 Tg8 3.Tg2", false, true},
      {"1. e4 e5 2. Nf3 1-0", true, false},
  };
  for (const Cas& k : cas)
    EXPECT_EQ(trait_au_joueur(QString::fromUtf8(k.coups), k.jai_blanc), k.au_joueur) << k.coups << " " << k.jai_blanc;
}

TEST(CoupsCorres, LesLettresSuiventLaNotationDeLaPartie) {
  const std::tuple<const char*, int, const char*> cas[] = {
      {"Nbd2", 1, "Cbd2"}, {"Rxe1+", 1, "Txe1+"}, {"Kf1", 1, "Rf1"}, {"e8=Q+", 1, "e8=D+"},
      {"O-O", 1, "O-O"},   {"Bb5", 1, "Fb5"},     {"Rxe1+", 2, "Rxe1+"}, {"exd6e.p.", 1, "exd6e.p."},
  };
  for (const auto& [anglais, style, attendu] : cas) EXPECT_EQ(en_lettres(anglais, style), attendu) << anglais;
  EXPECT_EQ(ecrit_coups({"e4", "e5", "Nf3", "Nc6", "Bb5"}, 1), "1.e4 e5 2.Cf3 Cc6 3.Fb5");
}

class CoupAdverse : public TestCorres {};

TEST_F(CoupAdverse, LeCoupEstRejoueApresLesCoupsStockesAvantDEtreAccepte) {
  struct Cas {
    const char* stockes;
    int notation;
    bool jai_blanc;
    const char* saisi;
    const char* coups;  // nullptr: refused
    const char* coup;
  } cas[] = {
      {"", 1, false, "1.e4", "1.e4", "1.e4"},
      {"1.e4", 1, true, "e5", "1.e4 e5", "e5"},
      {"1.e4 e5", 1, false, "2.Cf3", "1.e4 e5 2.Cf3", "2.Cf3"},
      // English letters for an English game; "R" is a rook there.
      {"1.e4 e5 2.Nf3 Nc6 3.Bc4 Nf6 4.O-O Be7", 2, false, "5.Re1", "1.e4 e5 2.Nf3 Nc6 3.Bc4 Nf6 4.O-O Be7 5.Re1",
       "5.Re1"},
      // In a French game "R" is the king: Re1 is no move here.
      {"1.e4 e5 2.Cf3 Cc6 3.Fc4 Cf6 4.O-O Fe7", 1, false, "5.Re1", nullptr, nullptr},
      {"1.e4 e5 2.Cf3 Cc6 3.Fc4 Cf6 4.O-O Fe7", 1, false, "5.Te1", "1.e4 e5 2.Cf3 Cc6 3.Fc4 Cf6 4.O-O Fe7 5.Te1",
       "5.Te1"},
      // Illegal, unreadable, the wrong number, the wrong side to move.
      {"1.e4", 1, true, "e4", nullptr, nullptr},
      {"1.e4", 1, true, "zz", nullptr, nullptr},
      {"1.e4 e5", 1, false, "3.Cf3", nullptr, nullptr},
      {"1.e4 e5", 1, false, "2...Cf3", nullptr, nullptr},
      {"1.e4 e5", 1, true, "Cf3", nullptr, nullptr},
      // A stored list that does not replay takes nothing more.
      {"1.e4 e4", 1, false, "2.Cf3", nullptr, nullptr},
      // En passant and promotion are written in the game's letters.
      {"1.e4 a6 2.e5 d5", 1, true, "", nullptr, nullptr},
      {"1.e4 a6 2.e5 d5", 1, false, "3.exd6", "1.e4 a6 2.e5 d5 3.exd6e.p.", "3.exd6e.p."},
      // A running game's "*" gives way to the move; after a result, or with
      // moves after a "*", no move is taken (it would never be read again).
      {"1.e4 e5 *", 1, false, "2.Cf3", "1.e4 e5 2.Cf3", "2.Cf3"},
      {"1.e4 e5 *\r\n", 1, false, "2.Cf3", "1.e4 e5 2.Cf3", "2.Cf3"},
      {"1.e4 e5 1-0", 1, false, "2.Cf3", nullptr, nullptr},
      {"1.e4 e5 2.Cf3 1/2-1/2", 1, true, "Cc6", nullptr, nullptr},
      {"1.e4 * e5", 1, false, "2.Cf3", nullptr, nullptr},
  };
  for (const Cas& k : cas) {
    SCOPED_TRACE(std::string(k.stockes) + " + " + k.saisi);
    const int style_avant = style_notation;
    QString erreur;
    const std::optional<CoupRecu> r =
        coup_adverse(QString::fromUtf8(k.stockes), k.notation, k.jai_blanc, QString::fromUtf8(k.saisi), &erreur);
    ASSERT_EQ(r.has_value(), k.coups != nullptr) << erreur.toStdString();
    if (r) {
      EXPECT_EQ(r->coups, QString::fromUtf8(k.coups));
      EXPECT_EQ(r->coup, QString::fromUtf8(k.coup));
    } else {
      EXPECT_FALSE(erreur.isEmpty());
    }
    // The shared position is put back.
    EXPECT_EQ(style_notation, style_avant);
  }
}

TEST_F(CoupAdverse, LeCoupEnvoyeEstLaPartieStockeeSuivieDUnSeulCoupDuJoueur) {
  struct Cas {
    const char* stockes;
    int notation;
    bool jai_blanc;
    const char* partie;  // texte_partie: the stored moves, then English ones
    const char* coups;   // nullptr: refused
    const char* coup;
  } cas[] = {
      {"", 1, true, "1.e4", "1.e4", "e4"},
      {"1.e4 e5", 1, true, "1.e4 e5 2.Nf3", "1.e4 e5 2.Cf3", "Cf3"},
      {"1.e4 e5 2.Cf3", 1, false, "1.e4 e5 2.Cf3 Nc6 *", "1.e4 e5 2.Cf3 Cc6", "Cc6"},
      {"1.e4 e5 2.Nf3", 2, false, "1.e4 e5 2.Nf3 Nc6", "1.e4 e5 2.Nf3 Nc6", "Nc6"},
      // The French king's move is written with the French king's letter.
      {"1.e4 e5", 1, true, "1.e4 e5 2.Ke2", "1.e4 e5 2.Re2", "Re2"},
      // No move, two moves, not the user's turn, another game on the board.
      {"1.e4 e5", 1, true, "1.e4 e5", nullptr, nullptr},
      {"1.e4 e5", 1, true, "1.e4 e5 2.Nf3 Nc6", nullptr, nullptr},
      {"1.e4", 1, true, "1.e4 e5", nullptr, nullptr},
      {"1.e4 e5", 1, true, "1.d4 d5 2.Nf3", nullptr, nullptr},
      {"1.e4 e5 2.Cf3", 1, false, "1.e4 e5 2.Cf3x Nc6", nullptr, nullptr},
      // The same rule on the stored list's end as for a received move.
      {"1.e4 e5 *", 1, true, "1.e4 e5 2.Nf3 *", "1.e4 e5 2.Cf3", "Cf3"},
      {"1.e4 e5 0-1", 1, true, "1.e4 e5 0-1 2.Nf3", nullptr, nullptr},
  };
  for (const Cas& k : cas) {
    SCOPED_TRACE(k.partie);
    QString erreur;
    const std::optional<CoupEnvoye> e = coup_a_envoyer(QString::fromUtf8(k.stockes), k.notation, k.jai_blanc, k.partie, &erreur);
    ASSERT_EQ(e.has_value(), k.coups != nullptr) << erreur.toStdString();
    if (e) {
      EXPECT_EQ(e->coups, QString::fromUtf8(k.coups));
      EXPECT_EQ(e->coup, QString::fromUtf8(k.coup));
    } else {
      EXPECT_FALSE(erreur.isEmpty());
    }
  }
}

// Moves written after a "*" are refused with a message of their own, the
// same whoever is to move and whichever way the move goes; a game over says
// its result.
TEST_F(CoupAdverse, DesCoupsApresUneEtoileOntLeurPropreRefus) {
  QString tour;
  ASSERT_FALSE(coup_adverse(QStringLiteral("1.e4"), 1, false, QStringLiteral("e5"), &tour));
  QString finie;
  ASSERT_FALSE(coup_adverse(QStringLiteral("1.e4 e5 1-0"), 1, false, QStringLiteral("2.Cf3"), &finie));
  EXPECT_TRUE(finie.contains(QStringLiteral("1-0"))) << finie.toStdString();
  const struct {
    const char* stockes;
    const char* saisi;   // a move that would follow the moves before the "*"
    const char* partie;  // the board's game, one move more
  } cas[] = {
      {"1.e4 * e5", "e5", "1.e4 e5"},
      {"1.e4 e5 * 2.Cf3", "2.Cf3", "1.e4 e5 2.Nf3"},
      {"* 1.e4", "1.e4", "1.e4"},
  };
  QStringList refus;
  for (const auto& k : cas) {
    for (bool jai_blanc : {true, false}) {
      SCOPED_TRACE(std::string(k.stockes) + (jai_blanc ? " White" : " Black"));
      QString erreur;
      EXPECT_FALSE(coup_adverse(QString::fromUtf8(k.stockes), 1, jai_blanc, QString::fromUtf8(k.saisi), &erreur));
      refus << erreur;
      EXPECT_FALSE(coup_a_envoyer(QString::fromUtf8(k.stockes), 1, jai_blanc, k.partie, &erreur));
      refus << erreur;
    }
  }
  refus.removeDuplicates();
  ASSERT_EQ(refus.size(), 1) << refus.join(" | ").toStdString();
  EXPECT_TRUE(refus[0].contains(QLatin1Char('*'))) << refus[0].toStdString();
  EXPECT_NE(refus[0], tour);
  EXPECT_NE(refus[0], finie);
}

}  // namespace

namespace {

TEST(DateSaisie, LesDatesTapeesSontLuesOuRefusees) {
  const struct {
    const char* texte;
    QDate attendue;  // null: refused
  } cas[] = {
      {"01/03/2026", QDate(2026, 3, 1)},
      {" 1/3/75 ", QDate(1975, 3, 1)},
      {"1/3/49", QDate(2049, 3, 1)},
      {"31/02/2026", QDate()},
      {"01/13/2026", QDate()},
      {"01-03-2026", QDate()},
      // Digits of another script are no date (and never stop the program).
      {"01/03/\u0662\u0660\u0662\u0666", QDate()},
      {"\u0660\u0661/03/2026", QDate()},
  };
  for (const auto& k : cas) {
    const std::optional<QDate> d = date_saisie(QString::fromUtf8(k.texte));
    EXPECT_EQ(d.value_or(QDate()), k.attendue) << k.texte;
  }
}

// Each refusal reads as the library's text in the user's language.
TEST_F(CoupAdverse, LesRefusSontDansLaLangueDeLInterface) {
  struct Cas {
    const char* nom;
    std::function<bool(QString*)> essai;  // true when a move was taken
    std::function<QString()> attendu;
  } cas[] = {
      {"not my turn", [](QString* e) { return coup_a_envoyer("1.e4", 1, true, "1.e4 e5", e).has_value(); },
       [] { return texte(873); }},
      {"two moves", [](QString* e) { return coup_a_envoyer("1.e4 e5", 1, true, "1.e4 e5 2.Nf3 Nc6", e).has_value(); },
       [] { return texte(874).arg(2); }},
      {"another game", [](QString* e) { return coup_a_envoyer("1.e4 e5", 1, true, "1.d4 d5 2.Nf3", e).has_value(); },
       [] { return texte(872); }},
      {"game over", [](QString* e) { return coup_adverse("1.e4 e5 1-0", 1, false, "2.Cf3", e).has_value(); },
       [] { return texte(871).arg("1-0"); }},
      {"moves after *", [](QString* e) { return coup_adverse("1.e4 * e5", 1, false, "2.Cf3", e).has_value(); },
       [] { return texte(870); }},
      {"my turn", [](QString* e) { return coup_adverse("1.e4 e5", 1, true, "2.Cf3", e).has_value(); },
       [] { return texte(875); }},
  };
  for (const int cle : {1, 2, 8}) {
    passe_en_langue(cle);
    for (const Cas& c : cas) {
      SCOPED_TRACE(testing::Message() << "key " << cle << ", " << c.nom);
      QString erreur;
      EXPECT_FALSE(c.essai(&erreur));
      EXPECT_EQ(erreur.toStdString(), c.attendu().toStdString());
    }
  }
  passe_en_langue(2);
  EXPECT_EQ(texte(873), "It is not your turn in this game.") << "an English user reads English";
}

}  // namespace
