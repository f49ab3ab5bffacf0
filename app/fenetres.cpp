#include "app/fenetres.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <map>
#include <vector>

#include "app/menu.h"

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
}  // namespace detail

QMdiSubWindow* montre_enfant(QWidget* fenetre) {
  Menu* menu = existante<Menu>();
  if (!menu || fenetre == menu) {
    fenetre->show();
    fenetre->raise();
    return nullptr;
  }
  QMdiSubWindow* sous = nullptr;
  for (QMdiSubWindow* s : menu->mdiArea->subWindowList())
    if (s->widget() == fenetre) sous = s;
  if (!sous) {
    sous = menu->mdiArea->addSubWindow(fenetre);
    // A window laid out at a fixed size (no layout) keeps its size in the area.
    if (!fenetre->layout()) {
      const QSize cadre = sous->size() - sous->contentsRect().size() +
                          QSize(0, sous->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sous));
      sous->resize(fenetre->size() + cadre);
      // Arranging the area (cascade, tile) keeps such a window whole.
      if (!fenetre->minimumSize().isNull()) sous->setMinimumSize(fenetre->minimumSize() + cadre);
    }
    // Closing the sub-window unloads the window it holds.
    sous->setAttribute(Qt::WA_DeleteOnClose);
  }
  fenetre->show();
  sous->show();
  menu->mdiArea->setActiveSubWindow(sous);
  sous->raise();
  return sous;
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
  QPointer<QWidget> principale;
  for (auto& [type, p] : detail::table()) {
    if (!p) continue;
    if (type == std::type_index(typeid(Menu)))
      principale = p;
    else
      autres.push_back(p);
  }
  for (QPointer<QWidget>& p : autres) decharge(p.data());
  decharge(principale.data());
  detail::table().clear();
}

}  // namespace fenetres
