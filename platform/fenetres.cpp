#include "platform/fenetres.h"

#include <QHeaderView>

#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <map>
#include <vector>

namespace fenetres {

namespace detail {
namespace {
std::map<std::type_index, QPointer<QWidget>>& table() {
  static std::map<std::type_index, QPointer<QWidget>> t;
  return t;
}
}  // namespace

QPointer<QWidget>& emplacement(std::type_index type) { return table()[type]; }

void enregistre(std::type_index type, QWidget* fenetre) { table()[type] = fenetre; }

void retire(QWidget* fenetre) {
  for (auto& [type, p] : table())
    if (p == fenetre) p = nullptr;
}
}  // namespace detail

namespace {
QMainWindow* principale() {
  for (auto& [type, p] : detail::table())
    if (auto* m = qobject_cast<QMainWindow*>(p.data()); m && qobject_cast<QMdiArea*>(m->centralWidget())) return m;
  return nullptr;
}
}  // namespace

// The area as it is laid out now: a menu bar filled since the last layout
// takes its height before anything is placed by the area's size.
QMdiArea* zone_enfants() {
  QMainWindow* m = principale();
  if (!m) return nullptr;
  if (m->isVisible() && m->layout()) m->layout()->activate();
  return qobject_cast<QMdiArea*>(m->centralWidget());
}

QMdiSubWindow* montre_enfant(QWidget* fenetre) {
  QMainWindow* menu = principale();
  QMdiArea* zone = zone_enfants();
  if (!menu || fenetre == menu) {
    fenetre->show();
    fenetre->raise();
    return nullptr;
  }
  QMdiSubWindow* sous = nullptr;
  for (QMdiSubWindow* s : zone->subWindowList())
    if (s->widget() == fenetre) sous = s;
  if (!sous) {
    sous = zone->addSubWindow(fenetre);
    // A window laid out at a fixed size (no layout) keeps its size in the area.
    if (!fenetre->layout()) {
      const QSize cadre = sous->size() - sous->contentsRect().size() +
                          QSize(0, sous->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sous));
      sous->resize(fenetre->size() + cadre);
      // Arranging the area (cascade, tile) keeps such a window whole.
      if (!fenetre->minimumSize().isNull()) {
        sous->setMinimumSize(fenetre->minimumSize() + cadre);
        // Larger than the area: as small as its minimum allows, the rest is
        // reached by scrolling.
        if (zone->isVisible()) {
          const QSize vue = zone->viewport()->size();
          sous->resize(std::max(sous->minimumWidth(), std::min(sous->width(), vue.width())),
                       std::max(sous->minimumHeight(), std::min(sous->height(), vue.height())));
        }
      }
    }
    // Closing the sub-window unloads the window it holds.
    sous->setAttribute(Qt::WA_DeleteOnClose);
  }
  fenetre->show();
  sous->show();
  zone->setActiveSubWindow(sous);
  sous->raise();
  return sous;
}

void montre_a_droite_de(QWidget* fenetre, const QWidget* voisin) {
  QMdiSubWindow* cadre = montre_enfant(fenetre);
  const QWidget* a_cote = qobject_cast<const QMdiSubWindow*>(voisin->parentWidget()) ? voisin->parentWidget() : voisin;
  const int droite = a_cote->x() + a_cote->width();
  if (!cadre || !cadre->mdiArea()) {
    fenetre->move(droite, 0);
    return;
  }
  const QSize vue = cadre->mdiArea()->viewport()->size();
  const QSize mini = cadre->minimumSizeHint();
  const int largeur = std::max(mini.width(), std::min(cadre->width(), vue.width() - droite));
  const int x = std::max(0, std::min(droite, vue.width() - largeur));
  cadre->setGeometry(x, 0, largeur, std::max(mini.height(), std::min(cadre->height(), vue.height())));
}

QMdiSubWindow* montre_enfant_au_centre(QWidget* fenetre) {
  const bool deja_place = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget()) != nullptr;
  QMdiSubWindow* cadre = montre_enfant(fenetre);
  if (deja_place) return cadre;
  if (!cadre || !cadre->mdiArea()) {
    centre_sur_ecran(fenetre);
    return cadre;
  }
  const QSize vue = cadre->mdiArea()->viewport()->size();
  cadre->move(std::max(0, (vue.width() - cadre->width()) / 2), std::max(0, (vue.height() - cadre->height()) / 2));
  return cadre;
}

void colonnes_a_leurs_titres(QHeaderView* entete) {
  for (int c = 0; c < entete->count(); ++c) {
    if (entete->isSectionHidden(c) || entete->sectionSize(c) == 0) continue;
    const int titre = entete->sectionSizeHint(c);
    if (entete->sectionSize(c) < titre) entete->resizeSection(c, titre);
  }
}

void centre_sur_ecran(QWidget* fenetre, int au_dessus) {
  QScreen* ecran = QGuiApplication::primaryScreen();
  if (!ecran) return;
  const QRect zone = ecran->availableGeometry();
  const int x = zone.x() + (zone.width() - fenetre->width()) / 2;
  const int y = zone.y() + (zone.height() - fenetre->height()) / 2 - au_dessus;
  fenetre->move(std::max(x, zone.x()), std::max(y, zone.y()));
}

void decharge(QWidget* fenetre) {
  if (!fenetre) return;
  if (auto* sous = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget()))
    delete sous;
  else
    delete fenetre;
}

void decharge_plus_tard(QWidget* fenetre) {
  if (!fenetre) return;
  if (auto* sous = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget()))
    sous->deleteLater();
  else
    fenetre->deleteLater();
}

void ferme_toutes() {
  std::vector<QPointer<QWidget>> autres;
  QPointer<QWidget> la_principale = principale();
  for (auto& [type, p] : detail::table()) {
    if (p && p != la_principale) autres.push_back(p);
  }
  for (QPointer<QWidget>& p : autres) decharge(p.data());
  decharge(la_principale.data());
  detail::table().clear();
}

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, int x, int y, int l, int h) {
  auto* e = controle<QLabel>(parent, nom, x, y, l, h);
  e->setText(texte);
  e->setWordWrap(true);
  return e;
}

}  // namespace fenetres
