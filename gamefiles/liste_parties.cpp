#include "gamefiles/liste_parties.h"

#include <QHeaderView>
#include <QSet>
#include <QTreeWidget>

#include "gamefiles/charge_pgn.h"
#include "play/plateau.h"

namespace {

// What the list remembers, kept on the list itself so that it goes with the window.
const char* const FICHIER = "fichier_liste";
const char* const CHOISIE = "partie_choisie";
const char* const CHARGEES = "parties_chargees";

std::int64_t choisie(const plateau& p) {
  const QVariant v = p.List2->property(CHOISIE);
  return v.isValid() ? v.toLongLong() : -1;
}

QSet<qint64> chargees(const plateau& p) {
  QSet<qint64> s;
  for (const QVariant& v : p.List2->property(CHARGEES).toList()) s.insert(v.toLongLong());
  return s;
}

void icone(plateau& p, QTreeWidgetItem& ligne, std::int64_t debut) {
  if (debut == choisie(p))
    ligne.setIcon(0, p.ImlIcon.value(QStringLiteral("main")));
  else if (chargees(p).contains(debut))
    ligne.setIcon(0, p.ImlIcon.value(QStringLiteral("validation")));
  else
    ligne.setIcon(0, QIcon());
}

}  // namespace

void vide_liste(plateau& p, const QString& chemin) {
  if (p.List2->property(FICHIER).toString() != chemin) {
    // Another file: the games loaded from the earlier one are not in it.
    p.List2->setProperty(CHOISIE, QVariant());
    p.List2->setProperty(CHARGEES, QVariantList());
  }
  p.List2->setProperty(FICHIER, chemin);
  p.List2->clear();
}

QTreeWidgetItem* nouvelle_ligne(const pgn::PartieLue& partie) { return new pgn::LignePartie(partie); }

void ajoute_lignes(plateau& p, QList<QTreeWidgetItem*>& lot) {
  if (lot.isEmpty()) return;
  if (choisie(p) >= 0)
    for (QTreeWidgetItem* ligne : lot) icone(p, *ligne, pgn::offset_ligne(*ligne));
  p.List2->addTopLevelItems(lot);
  lot.clear();
}

QString fichier_liste(const plateau& p) { return p.List2->property(FICHIER).toString(); }

void marque_partie_chargee(plateau& p, std::int64_t debut) {
  const std::int64_t avant = choisie(p);
  QVariantList l = p.List2->property(CHARGEES).toList();
  if (avant >= 0 && !l.contains(QVariant::fromValue<qint64>(avant))) l.append(QVariant::fromValue<qint64>(avant));
  p.List2->setProperty(CHARGEES, l);
  p.List2->setProperty(CHOISIE, QVariant::fromValue<qint64>(debut));
  for (int i = 0; i < p.List2->topLevelItemCount(); ++i) {
    QTreeWidgetItem* ligne = p.List2->topLevelItem(i);
    const std::int64_t d = pgn::offset_ligne(*ligne);
    if (d == debut || d == avant) icone(p, *ligne, d);
  }
}

void List2_ColumnClick(plateau& p, int i) {
  if (i < 1 || i > 7) return;
  p.List2->sortItems(i == 4 ? 7 : i - 1, Qt::AscendingOrder);
}

void branche_liste(plateau& p, std::function<void(plateau&)> charge) {
  QTreeWidget* l = p.List2;
  l->setSortingEnabled(false);
  l->header()->setSectionsClickable(true);
  QObject::connect(l->header(), &QHeaderView::sectionClicked, &p, [&p](int colonne) { List2_ColumnClick(p, colonne + 1); });
  QObject::connect(l, &QTreeWidget::itemDoubleClicked, &p, [&p, charge](QTreeWidgetItem* ligne, int) {
    if (!ligne) return;
    p.List2->setCurrentItem(ligne);
    if (charge) charge(p);
  });
}
