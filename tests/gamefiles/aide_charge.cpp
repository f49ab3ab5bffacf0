#include "tests/gamefiles/aide_charge.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTreeView>

#include "boardcontrol/echiquier.h"
#include "chess/cases.h"
#include "chess/fen.h"

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "gamefiles/charge_pgn.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "openings/reglages_ouvertures.h"
#include "platform/minuterie.h"
#include "platform/son.h"
#include "play/jeu.h"
#include "play/modele_parties.h"
#include "play/patience.h"
#include "play/plateau.h"

void TestChargePgn::SetUp() {
  TestPgn::SetUp();
  reglages_fenetre(2, false, true);
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
  const QAbstractItemModel* modele = fenetre().List2->model();
  for (int i = 0; i < modele->rowCount(); ++i) l << modele->index(i, c).data().toString();
  return l;
}

QStringList TestChargePgn::icones() {
  QStringList l;
  plateau& p = fenetre();
  const qint64 main = p.ImlIcon.value(QStringLiteral("main")).cacheKey();
  const qint64 validation = p.ImlIcon.value(QStringLiteral("validation")).cacheKey();
  const QAbstractItemModel* modele = p.List2->model();
  for (int i = 0; i < modele->rowCount(); ++i) {
    const QIcon icone = modele->index(i, 0).data(Qt::DecorationRole).value<QIcon>();
    l << (icone.isNull() ? QString()
          : icone.cacheKey() == main       ? QStringLiteral("main")
          : icone.cacheKey() == validation ? QStringLiteral("validation")
                                           : QStringLiteral("?"));
  }
  return l;
}

void TestChargePgn::double_clic(int ligne) {
  QTreeView* liste = fenetre().List2;
  const QModelIndex index = liste->model()->index(ligne, 0);
  ASSERT_TRUE(index.isValid()) << "no line " << ligne;
  liste->setCurrentIndex(index);
  emit liste->doubleClicked(index);
}

QStringList TestChargePgn::lignes_coups() {
  QStringList l;
  QListWidget* liste = fenetre().List1;
  for (int i = 0; i < liste->count(); ++i) l << liste->item(i)->text();
  return l;
}

QString TestChargePgn::statut() { return fenetre().panneau(1)->text(); }

void TestChargePgn::coup(const char* depart, const char* arrivee) {
  mvdechiquier::Echiquier* e = fenetre().Echiquier;
  for (const char* n : {depart, arrivee}) {
    const CaseEcran c = case_de_nom(n);
    QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, e->rect_image(c.colonne, c.ligne).center());
  }
}

std::string TestChargePgn::fen_montree() {
  mvdechiquier::Echiquier* e = fenetre().Echiquier;
  return ecrit_fen([e](int c, int l) { return e->Piece(c, l); });
}
