// The window registry: one instance per class, whoever created it; the main
// window's area holds the child windows; a window being destroyed is no
// longer handed out; the main window goes last.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "platform/fenetres.h"
#include "tests/common/aide_tests.h"

namespace {

class Principale : public QMainWindow {
 public:
  Principale() { setCentralWidget(new QMdiArea(this)); }
};

class Enfant : public QLabel {
 public:
  Enfant() { fenetres::enregistre(this); }
  ~Enfant() override {
    vue_pendant_destruction = fenetres::existante<Enfant>();
    fenetres::retire(this);
    vue_apres_retrait = fenetres::existante<Enfant>();
  }
  static inline Enfant* vue_pendant_destruction = nullptr;
  static inline Enfant* vue_apres_retrait = nullptr;
};

class Fenetres : public TestMorvandel {};

TEST_F(Fenetres, UneInstanceParClasseEtLaZoneDeLaFenetrePrincipale) {
  EXPECT_EQ(fenetres::zone_enfants(), nullptr);
  Enfant* directe = new Enfant;
  EXPECT_EQ(&fenetres::instance<Enfant>(), directe) << "a window built directly is the instance";
  Enfant* seconde = new Enfant;
  EXPECT_EQ(fenetres::existante<Enfant>(), directe) << "the first stays the instance";
  delete seconde;
  EXPECT_EQ(fenetres::existante<Enfant>(), directe);

  // Without a main window a child is a window of its own.
  EXPECT_EQ(fenetres::montre_enfant(directe), nullptr);
  Principale& m = fenetres::instance<Principale>();
  ASSERT_NE(fenetres::zone_enfants(), nullptr);
  EXPECT_EQ(fenetres::zone_enfants(), m.centralWidget());
  fenetres::decharge(directe);
  Enfant& e = fenetres::instance<Enfant>();
  QMdiSubWindow* sous = fenetres::montre_enfant(&e);
  ASSERT_NE(sous, nullptr);
  EXPECT_EQ(sous->mdiArea(), fenetres::zone_enfants());

  // A window that leaves the registry in its destructor is not handed out
  // half destroyed.
  Enfant::vue_pendant_destruction = Enfant::vue_apres_retrait = nullptr;
  fenetres::decharge<Enfant>();
  EXPECT_NE(Enfant::vue_pendant_destruction, nullptr);
  EXPECT_EQ(Enfant::vue_apres_retrait, nullptr);
  EXPECT_EQ(fenetres::existante<Enfant>(), nullptr);

  // Closing everything deletes the children before the main window.
  QPointer<Enfant> enfant = &fenetres::instance<Enfant>();
  fenetres::montre_enfant(enfant);
  QPointer<Principale> principale = &m;
  fenetres::ferme_toutes();
  EXPECT_TRUE(enfant.isNull());
  EXPECT_TRUE(principale.isNull());
  EXPECT_EQ(fenetres::existante<Principale>(), nullptr);
}

}  // namespace
