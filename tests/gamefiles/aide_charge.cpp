#include "tests/gamefiles/aide_charge.h"

#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "gamefiles/charge_pgn.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "openings/reglages_ouvertures.h"
#include "platform/minuterie.h"
#include "platform/son.h"
#include "play/jeu.h"
#include "play/patience.h"
#include "play/plateau.h"

void TestChargePgn::SetUp() {
  TestPgn::SetUp();
  installe_images();
  mode_jeux = 2;
  active_son = 0;
  active_horloge = 1;
  ges_log = 0;
  analyse_ouverture = 0;
  couleur_joueur = BLANC;
  liens_ouvertures().affiche_commentaire = [this] { return commentaires_affiches; };
  plateforme::MinuteriesEnTest::active();
}

void TestChargePgn::TearDown() {
  EXPECT_FALSE(lecture_pgn_en_cours());
  EXPECT_EQ(patience::existante(), nullptr) << "the progress window is gone after a reading";
  fenetres::decharge<plateau>();
  decharge_comment();
  TestPgn::TearDown();
}

plateau& TestChargePgn::fenetre() {
  plateau* p = plateau::existante();
  if (!p) throw std::runtime_error("no board window");
  return *p;
}

QStringList TestChargePgn::colonne(int c) {
  QStringList l;
  QTreeWidget* liste = fenetre().List2;
  for (int i = 0; i < liste->topLevelItemCount(); ++i) l << liste->topLevelItem(i)->text(c);
  return l;
}

QStringList TestChargePgn::icones() {
  QStringList l;
  plateau& p = fenetre();
  const qint64 main = p.ImlIcon.value(QStringLiteral("main")).cacheKey();
  const qint64 validation = p.ImlIcon.value(QStringLiteral("validation")).cacheKey();
  for (int i = 0; i < p.List2->topLevelItemCount(); ++i) {
    const QIcon icone = p.List2->topLevelItem(i)->icon(0);
    l << (icone.isNull() ? QString()
          : icone.cacheKey() == main       ? QStringLiteral("main")
          : icone.cacheKey() == validation ? QStringLiteral("validation")
                                           : QStringLiteral("?"));
  }
  return l;
}

void TestChargePgn::double_clic(int ligne) {
  QTreeWidget* liste = fenetre().List2;
  QTreeWidgetItem* item = liste->topLevelItem(ligne);
  ASSERT_NE(item, nullptr);
  liste->setCurrentItem(item);
  emit liste->itemDoubleClicked(item, 0);
}

QStringList TestChargePgn::lignes_coups() {
  QStringList l;
  QListWidget* liste = fenetre().List1;
  for (int i = 0; i < liste->count(); ++i) l << liste->item(i)->text();
  return l;
}

QString TestChargePgn::statut() { return fenetre().panneau(1)->text(); }
