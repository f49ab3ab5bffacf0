// Putting the current language's captions on a window, by the window's name.
//
// Each known window has a fixed list of assignments, run in order: a target
// (the window's title, a control, an element of a control array, a tab of a
// tab control) and a text number, sometimes with a prefix or a suffix. Only
// captions are set: menu items, buttons, labels, frames, check and option
// boxes, titles, tabs.
#pragma once

#include <QString>
#include <vector>

class QObject;
class QWidget;

struct Libelle {
  const char* controle;   // objectName of the target; nullptr: the window's title
  int indice;             // element of a control array, or tab number when onglet; -1 none
  int numero;             // text number
  const char* prefixe;    // joined before the text ("<< "), or nullptr
  const char* suffixe;    // joined after it (" :"), or nullptr
  bool onglet;            // the target is a tab control, indice its tab
};

// The rows of the tables, written short.
namespace lignes_libelles {
// Text `numero` on `controle` (nullptr: the window's title), or on its
// element `indice`.
inline Libelle L(const char* controle, int numero) { return {controle, -1, numero, nullptr, nullptr, false}; }
inline Libelle L(const char* controle, int indice, int numero) { return {controle, indice, numero, nullptr, nullptr, false}; }
// The same with `prefixe` before the text and `suffixe` after it (either nullptr).
inline Libelle entoure(const char* controle, int indice, int numero, const char* prefixe, const char* suffixe) {
  return {controle, indice, numero, prefixe, suffixe, false};
}
// A field's label: the text then " :".
inline Libelle deux_points(const char* controle, int numero) { return entoure(controle, -1, numero, nullptr, " :"); }
// Tab `indice` of the tab control `controle`.
inline Libelle onglet(const char* controle, int indice, int numero) {
  return {controle, indice, numero, nullptr, nullptr, true};
}
}  // namespace lignes_libelles

// Sets the captions of `fenetre` by its objectName; a window whose name has
// no table (the language dialog among them) is left unchanged. For the main
// window the program's one Menu gets them.
void affiche_libelles(QWidget* fenetre);

// The table of a window name, or nullptr.
const std::vector<Libelle>* libelles_de(const QString& nom_fenetre);

// The object an assignment addresses on `fenetre` ("menu_niv(2)" for element
// 2 of menu_niv), or nullptr when the window lacks it.
QObject* cible_libelle(QWidget* fenetre, const Libelle& libelle);

// `texte` without the marks of its shortcuts ("&&" gives "&"): a sentence
// that names a command by its caption.
QString sans_raccourcis(const QString& texte);
