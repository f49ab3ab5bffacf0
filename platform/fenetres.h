// Each window of the program exists once: it is created on first use and
// lives until it is unloaded (closed and deleted), after which the next use
// creates it anew.
//
//   plateau& p = fenetres::instance<plateau>();   // creates it when needed
//   if (auto* c = fenetres::existante<comment>()) ...
//   fenetres::montre_enfant(&p);                   // an MDI child of the main window
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <typeindex>

class QHeaderView;
class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace fenetres {

namespace detail {
QPointer<QWidget>& emplacement(std::type_index type);
void enregistre(std::type_index type, QWidget* fenetre);
void retire(QWidget* fenetre);
}  // namespace detail

// The one instance of window class T (default-constructible), created on
// first use.
template <class T>
T& instance() {
  QPointer<QWidget>& p = detail::emplacement(std::type_index(typeid(T)));
  if (!p) {
    T* f = new T();
    detail::enregistre(std::type_index(typeid(T)), f);
  }
  return *static_cast<T*>(p.data());
}

// The instance when it exists, else nullptr; never creates it.
template <class T>
T* existante() {
  QPointer<QWidget>& p = detail::emplacement(std::type_index(typeid(T)));
  return p ? static_cast<T*>(p.data()) : nullptr;
}

// A window created otherwise than by instance() (a constructor called
// directly) becomes the one instance of its class, unless one exists.
template <class T>
void enregistre(T* fenetre) {
  if (!existante<T>()) detail::enregistre(std::type_index(typeid(T)), fenetre);
}

// The window counts as unloaded from now on, even though it is deleted later
// (a destructor calls it, so that its half-destroyed object is never handed
// out).
inline void retire(QWidget* fenetre) { detail::retire(fenetre); }

// Unloads a window at once: deletes it, with its MDI sub-window if it has
// one.
void decharge(QWidget* fenetre);
// The same once the current event is over: how a window unloads itself from
// one of its own handlers.
void decharge_plus_tard(QWidget* fenetre);

// The window of that class unloaded at once, if it exists.
template <class T>
void decharge() {
  QPointer<QWidget>& p = detail::emplacement(std::type_index(typeid(T)));
  if (p) decharge(p.data());
}

// The main window is the registered QMainWindow whose central widget is a
// QMdiArea; its area holds the child windows.
QMdiArea* zone_enfants();

// Shows a window as a child of the main window's MDI area (placing it there
// the first time) and brings it to the front. Without a main window it is
// shown as a window of its own.
QMdiSubWindow* montre_enfant(QWidget* fenetre);

// Shows `fenetre` as a child of the main window's area at the top, right of
// the window `voisin` (or of its sub-window frame), as wide and as high as
// the area leaves but never below what shows its controls; where it cannot
// fit there it covers `voisin`'s right edge rather than leave the area.
void montre_a_droite_de(QWidget* fenetre, const QWidget* voisin);

// Shows a window as montre_enfant does; the first time, its frame is centred
// in the main window's area, never past the area's top-left corner (without
// a main window it is centred on the screen).
QMdiSubWindow* montre_enfant_au_centre(QWidget* fenetre);

// Centres a top-level window on the screen, `au_dessus` pixels above the
// middle, never past the top-left corner of the screen's free area.
void centre_sur_ecran(QWidget* fenetre, int au_dessus = 0);

// Widens each shown column of a list that is narrower than its heading, so
// that every heading reads whole in every language.
void colonnes_a_leurs_titres(QHeaderView* entete);

// --- Controls -------------------------------------------------------------
// Every control carries the name the captions, the settings and the tests
// find it by.

// Gives `c` its name and gives it back: built, named and kept in one line.
template <class T>
T* nomme(T* c, const QString& nom) {
  c->setObjectName(nom);
  return c;
}

// The name of one control of a numbered set: "nom(indice)".
inline QString nom_indice(const QString& nom, int indice) {
  return nom + QLatin1Char('(') + QString::number(indice) + QLatin1Char(')');
}

template <class T>
T* nomme(T* c, const QString& nom, int indice) {
  return nomme(c, nom_indice(nom, indice));
}

// A control of class T in `parent`, named, at (x, y), l pixels wide and h high.
template <class T>
T* controle(QWidget* parent, const QString& nom, int x, int y, int l, int h) {
  auto* c = nomme(new T(parent), nom);
  c->setGeometry(x, y, l, h);
  return c;
}

// A label placed so, showing `texte` on as many lines as its width needs.
QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, int x, int y, int l, int h);

// Deletes every window created through instance(), the main window last
// (tests call it between cases).
void ferme_toutes();

}  // namespace fenetres
