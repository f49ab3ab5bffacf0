#include "tests/ecran/aide_ecran.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QRegularExpression>
#include <QThread>
#include <QTreeView>

#include "app/menu.h"
#include "correspondence/base_corres.h"
#include "correspondence/champs_corres.h"
#include "openings/base_eco.h"
#include "platform/base_donnees.h"
#include "platform/fenetres.h"
#include "platform/fichiers_texte.h"
#include "platform/minuterie.h"
#include "platform/schemas_bases.h"
#include "platform/son.h"

void TestEcran::SetUp() {
  TestMorvandel::SetUp();
  installe_images();
  plateforme::SonsEnTest::active();
  plateforme::MinuteriesEnTest::active();
  fixe_aujourdhui_essai(QDate(2026, 3, 12));
  sendmail_ = std::make_unique<FauxSendmail>(dossier());
  QDir(dossier()).mkpath(QStringLiteral("base"));
  // The shipped opening base: the lines window and the grid show its values.
  ASSERT_TRUE(QFile::copy(QStringLiteral(MVD_BUILD_DIR "/base/eco.db"), dossier() + QStringLiteral("/base/eco.db")));
  plateforme::BaseDonnees::cree(dossier() + QStringLiteral("/base/corres.db"), schemas::base_corres());
  // Two running games: the user to move in the first listed, the opponent in
  // the second.
  for (const bool jai_blanc : {true, false}) {
    PartieCorres p = partie_corres_essai(jai_blanc, QStringLiteral("1.e4 e5"), 2, QStringLiteral("*"));
    p.debut = QDate(2026, 3, jai_blanc ? 2 : 1);
    ajoute_partie(dossier() + QStringLiteral("/base/corres.db"), p);
  }
}

void TestEcran::TearDown() {
  fenetres::ferme_toutes();
  fixe_aujourdhui_essai(QDate());
  plateforme::SonsEnTest::desactive();
  TestMorvandel::TearDown();
  db_eco.ferme();
}

void TestEcran::demarre_en(int cle) {
  const QStringList lignes = {
      QStringLiteral("[GENERAL]"),
      QStringLiteral("FIRST_STARTUP=0"),
      QStringLiteral("CLE_LANGUE=%1").arg(cle),
      QStringLiteral("MODE_JEUX=2"),
      QStringLiteral("AFF_NOUVELLE=0"),
      QStringLiteral("ACTIVE_SON=0"),
      QStringLiteral("ACTIVE_HORLOGE=0"),
      QStringLiteral("GES_LOG=0"),
      QStringLiteral("NOM_JOUEUR=Moi"),
      QStringLiteral("BASE_ECO=base/eco.db"),
      QStringLiteral("BASE_CORRES=base/corres.db"),
      QStringLiteral("FILE_LOG=partie.log"),
  };
  QFile f(dossier() + QStringLiteral("/morvandel.ini"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  for (const QString& l : lignes) f.write(plateforme::encode_1252(l) + "\r\n");
  f.close();
  ASSERT_TRUE(menu().MDIForm_Load(QString()));
  menu().show();
  laisse_faire();
  ASSERT_EQ(menu().size(), QSize(1000, 720));
}

Menu& TestEcran::menu() { return fenetres::instance<Menu>(); }

void TestEcran::laisse_faire() {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QThread::msleep(5);
  }
}

namespace {

QString nom_de(const QWidget* w) { return w->objectName(); }

// The window a control belongs to: `fenetre`, or another window (a child
// window in the main window's area, a top-level window) it holds.
bool appartient_a(const QWidget* w, const QWidget* fenetre) {
  for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
    if (p == fenetre) return true;
    if (qobject_cast<const QMdiSubWindow*>(p) || qobject_cast<const QMdiArea*>(p) || p->isWindow()) return false;
  }
  return false;
}

QSize texte_mnemonique(const QWidget* w, const QString& texte) {
  return w->fontMetrics().size(Qt::TextShowMnemonic, texte);
}

// What the control's text needs beyond its size, or "" when it fits.
QString texte_coupe(QWidget* w) {
  const QSize taille = w->size();
  auto depasse = [&](const QSize& besoin) -> QString {
    if (besoin.width() <= taille.width() && besoin.height() <= taille.height()) return {};
    return QStringLiteral("needs %1x%2 in %3x%4")
        .arg(besoin.width())
        .arg(besoin.height())
        .arg(taille.width())
        .arg(taille.height());
  };
  if (auto* l = qobject_cast<QLabel*>(w)) {
    if (l->text().isEmpty()) return {};
    if (l->wordWrap()) {
      // The longest word must fit a line, the lines the height.
      int mot = 0;
      for (const QString& m : l->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        mot = std::max(mot, texte_mnemonique(l, m).width());
      const int marge = 2 * (l->frameWidth() + l->margin());
      return depasse(QSize(mot + marge, l->heightForWidth(taille.width())));
    }
    return depasse(l->sizeHint());
  }
  if (auto* b = qobject_cast<QPushButton*>(w)) {
    if (b->text().isEmpty()) return {};
    const int cadre = b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) +
                      2 * b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
    QSize besoin = texte_mnemonique(b, b->text());
    if (!b->icon().isNull()) besoin.rwidth() += b->iconSize().width() + 4;
    return depasse(QSize(besoin.width() + cadre, besoin.height() + 2));
  }
  if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
    if (static_cast<QAbstractButton*>(w)->text().isEmpty()) return {};
    return depasse(QSize(w->sizeHint().width(), w->fontMetrics().height()));
  }
  if (auto* g = qobject_cast<QGroupBox*>(w)) {
    if (g->title().isEmpty()) return {};
    return depasse(QSize(texte_mnemonique(g, g->title()).width() + 16, texte_mnemonique(g, g->title()).height()));
  }
  if (auto* e = qobject_cast<QLineEdit*>(w)) {
    if (e->text().isEmpty() || e->echoMode() != QLineEdit::Normal) return {};
    const int cadre = 2 * e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) + 4 +
                      e->textMargins().left() + e->textMargins().right();
    return depasse(QSize(e->fontMetrics().horizontalAdvance(e->text()) + cadre, e->fontMetrics().height()));
  }
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    if (c->currentText().isEmpty()) return {};
    return depasse(QSize(c->sizeHint().width(), c->fontMetrics().height()));
  }
  if (auto* t = qobject_cast<QTabWidget*>(w)) return depasse(QSize(t->tabBar()->sizeHint().width(), 0));
  if (auto* v = qobject_cast<QTableView*>(w)) {
    if (!v->model()) return {};
    QStringList etroites;
    for (int c = 0; c < v->model()->columnCount(); ++c) {
      if (v->isColumnHidden(c)) continue;
      const int besoin = std::max(static_cast<QAbstractItemView*>(v)->sizeHintForColumn(c), v->horizontalHeader()->sectionSizeHint(c));
      if (v->columnWidth(c) < besoin)
        etroites << QStringLiteral("column %1 needs %2 in %3").arg(c).arg(besoin).arg(v->columnWidth(c));
    }
    return etroites.join(QStringLiteral(", "));
  }
  if (auto* v = qobject_cast<QTreeView*>(w); v && v->model() && !v->isHeaderHidden()) {
    // A list's columns show their headings whole.
    QStringList etroites;
    for (int c = 0; c < v->model()->columnCount(); ++c) {
      if (v->isColumnHidden(c) || v->header()->sectionSize(c) == 0) continue;
      const int besoin = v->header()->sectionSizeHint(c);
      if (v->header()->sectionSize(c) < besoin)
        etroites << QStringLiteral("heading %1 needs %2 in %3").arg(c).arg(besoin).arg(v->header()->sectionSize(c));
    }
    return etroites.join(QStringLiteral(", "));
  }
  return {};
}

}  // namespace

QStringList defauts_fenetre(QWidget* fenetre) {
  QStringList defauts;
  auto* sous = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget());
  const QRect ecran = fenetre->screen()->availableGeometry();
  const QRect place = sous ? QRect(sous->mapToGlobal(QPoint(0, 0)), sous->size()) : fenetre->frameGeometry();
  auto rect_texte = [](const QRect& r) {
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
  };
  if (!ecran.contains(place))
    defauts << QStringLiteral("the window %1 leaves the screen %2").arg(rect_texte(place), rect_texte(ecran));
  if (sous) {
    const QWidget* vue = sous->mdiArea()->viewport();
    const QRect zone(vue->mapToGlobal(QPoint(0, 0)), vue->size());
    if (!zone.contains(place))
      defauts << QStringLiteral("the window %1 leaves the main window's area %2").arg(rect_texte(place), rect_texte(zone));
  }
  for (QWidget* w : fenetre->findChildren<QWidget*>()) {
    const QString nom = nom_de(w);
    if (nom.isEmpty() || nom.startsWith(QLatin1String("qt_")) || !w->isVisible() || !appartient_a(w, fenetre)) continue;
    const QRect r(w->mapTo(fenetre, QPoint(0, 0)), w->size());
    if (!fenetre->rect().contains(r))
      defauts << QStringLiteral("%1 %2 lies outside the window %3").arg(nom, rect_texte(r), rect_texte(fenetre->rect()));
    else if (w->parentWidget() != fenetre && !w->parentWidget()->rect().contains(w->geometry()))
      defauts << QStringLiteral("%1 %2 lies outside its frame %3")
                     .arg(nom, rect_texte(w->geometry()), rect_texte(w->parentWidget()->rect()));
    // A caption's "&" marks its shortcut: a label shows it as such only when it
    // has a control to give the focus to.
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->buddy() && l->textFormat() != Qt::RichText &&
                                           QString(l->text()).remove(QStringLiteral("&&")).contains(QLatin1Char('&')))
      defauts << QStringLiteral("%1 shows its \"&\": \"%2\"").arg(nom, l->text());
    const QString coupe = texte_coupe(w);
    if (!coupe.isEmpty()) defauts << QStringLiteral("%1: its text %2").arg(nom, coupe);
  }
  return defauts;
}
