// The property page of the board control: it shows and sets Enabled on the
// first control selected.
#include <QCheckBox>
#include <QTest>

#include "boardcontrol/mvdpage.h"
#include "tests/boardcontrol/aide_echiquier.h"

namespace {

// Any object with a boolean property "Enabled" will do for the page.
class AutreControle : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Enabled MEMBER enabled)
 public:
  bool enabled = false;
};

}  // namespace

TEST(PageEchiquier, ShowsTheFirstSelectedControlsFlag) {
  MvdPage page;
  EXPECT_EQ(page.windowTitle(), QStringLiteral("MvdPage"));
  EXPECT_EQ(page.chkEnabled->text(), QStringLiteral("Enabled"));
  EXPECT_EQ(page.findChild<QCheckBox*>(QStringLiteral("chkEnabled")), page.chkEnabled);
  Echiquier actif, inactif;
  inactif.Enabled(false);
  page.SelectionChanged({&actif, &inactif});
  EXPECT_EQ(page.chkEnabled->checkState(), Qt::Checked);
  page.SelectionChanged({&inactif, &actif});
  EXPECT_EQ(page.chkEnabled->checkState(), Qt::Unchecked);
  EXPECT_FALSE(page.Changed());
}

TEST(PageEchiquier, ApplyingSetsEnabledOnTheFirstControlOnly) {
  MvdPage page;
  Echiquier premier, second;
  page.SelectionChanged({&premier, &second});
  ASSERT_EQ(page.chkEnabled->checkState(), Qt::Checked);
  int signale = 0;
  QObject::connect(&page, &MvdPage::ChangedSignal, [&signale] { ++signale; });

  // Ticking the box off by the mouse marks the page changed; nothing is
  // written before the host applies.
  page.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
  QTest::mouseClick(page.chkEnabled, Qt::LeftButton, Qt::NoModifier, QPoint(6, page.chkEnabled->height() / 2));
  EXPECT_NE(page.chkEnabled->checkState(), Qt::Checked);
  EXPECT_TRUE(page.Changed());
  EXPECT_EQ(signale, 1);
  EXPECT_TRUE(premier.Enabled());

  page.ApplyChanges();
  EXPECT_FALSE(premier.Enabled());
  EXPECT_TRUE(second.Enabled());
  EXPECT_FALSE(page.Changed());

  // The board now takes no clicks.
  Ecouteur ecoute(premier);
  QTest::mouseClick(&premier, Qt::LeftButton, Qt::NoModifier, premier.rect_image(1, 1).center());
  EXPECT_TRUE(ecoute.evenements.empty());

  page.chkEnabled->setCheckState(Qt::Checked);
  page.ApplyChanges();
  EXPECT_TRUE(premier.Enabled());
}

TEST(PageEchiquier, AGreyedBoxAppliesFalse) {
  MvdPage page;
  Echiquier e;
  page.SelectionChanged({&e});
  page.chkEnabled->setCheckState(Qt::PartiallyChecked);
  page.ApplyChanges();
  EXPECT_FALSE(e.Enabled());
}

TEST(PageEchiquier, WorksOnAnyControlWithAnEnabledFlag) {
  MvdPage page;
  AutreControle autre;
  autre.enabled = true;
  page.SelectionChanged({&autre});
  EXPECT_EQ(page.chkEnabled->checkState(), Qt::Checked);
  page.chkEnabled->setCheckState(Qt::Unchecked);
  page.ApplyChanges();
  EXPECT_FALSE(autre.enabled);
}

TEST(PageEchiquier, AnEmptyOrVanishedSelectionIsHarmless) {
  MvdPage page;
  page.SelectionChanged({});
  EXPECT_EQ(page.chkEnabled->checkState(), Qt::Unchecked);
  page.ApplyChanges();
  {
    auto* e = new Echiquier;
    page.SelectionChanged({e});
    delete e;
  }
  EXPECT_TRUE(page.SelectedControls().value(0) == nullptr);
  page.ApplyChanges();
}

#include "test_mvdpage.moc"
