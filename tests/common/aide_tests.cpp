#include "tests/common/aide_tests.h"

#include <cstring>

#include "app/commandes.h"
#include "app/fenetres.h"
#include "app/parametres.h"
#include "chess/etat.h"
#include "chess/observateur_recherche.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "localisation/textes_langue.h"
#include "platform/chemins.h"
#include "platform/dialogues_fichiers.h"
#include "platform/imprimante.h"
#include "platform/lancement.h"
#include "platform/reglages_utilisateur.h"

void TestMorvandel::SetUp() {
  reinitialise_etat_jeu();
  reinitialise_langue();
  reinitialise_poids();
  reinitialise_recherche();
  installe_observateur_recherche(nullptr);
  plateforme::BoitesEnTest::efface();
  dossier_ = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(dossier_->isValid());
  plateforme::definit_chemin_appli(dossier_->path());
  // The per-user store of this test: never the real user's configuration.
  plateforme::definit_dossier_reglages(dossier_->path() + QStringLiteral("/reglages_utilisateur"));
  reinitialise_parametres();
  commandes::reinitialise();
  plateforme::DialoguesEnTest::efface();
  plateforme::LancementsEnTest::efface();
  // Every print job of the test is a PDF file in its folder.
  plateforme::ImpressionsEnTest::active(dossier_->path());
}

void TestMorvandel::TearDown() {
  EXPECT_EQ(plateforme::BoitesEnTest::reponses_restantes(), 0) << "queued box answers were not used";
  EXPECT_EQ(plateforme::DialoguesEnTest::reponses_restantes(), 0) << "queued file names were not used";
  fenetres::ferme_toutes();
  plateforme::BoitesEnTest::efface();
  plateforme::DialoguesEnTest::efface();
  plateforme::definit_chemin_appli(QString());
  plateforme::definit_dossier_reglages(QString());
  dossier_.reset();
}

void pose_diagramme(const char* const lignes[8]) {
  tab_echiquier.vide();
  for (int l = 1; l <= 8; ++l) {
    ASSERT_EQ(std::strlen(lignes[l - 1]), 8u);
    for (int c = 1; c <= 8; ++c) {
      const char ch = lignes[l - 1][c - 1];
      if (ch == '.') continue;
      const int code = code_de_lettre(2, ch);
      ASSERT_NE(code, 0) << ch;
      tab_echiquier(c, l) = code;
    }
  }
}
