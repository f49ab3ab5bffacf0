#include "localisation/textes_langue.h"

#include <QObject>
#include <QVariant>
#include <stdexcept>

#include "chess/etat.h"
#include "chess/regles.h"
#include "langlib/langue.h"
#include "platform/traductions_qt.h"

int cle_langue = 1;

namespace {

std::function<QObject*()>& fenetre_menu() {
  static std::function<QObject*()> fonction;
  return fonction;
}

// Sets the check mark of the main window's item `nom`. A missing item is a
// fault of the window, reported to the caller.
void coche(QObject* fenetre, const char* nom, bool cochee) {
  QObject* element = fenetre->findChild<QObject*>(QString::fromLatin1(nom));
  if (!element)
    throw std::runtime_error(std::string("Élément de menu introuvable : ") + nom);
  element->setProperty("checkable", true);
  element->setProperty("checked", cochee);
}

}  // namespace

langue& objet_langue() {
  static langue objet;
  return objet;
}

void applique_langue() {
  if (cle_langue >= 1 && cle_langue <= 8)
    base_texte = static_cast<std::int16_t>((cle_langue - 1) * 1000 + 10);
  else
    base_texte = 1010;
  style_notation = cle_langue == 1 ? 1 : 2;
  static const char* const codes_qt[] = {"fr", "en", "it", "es", "de", "pt", "ru", "pl"};
  plateforme::charge_traductions_qt(
      codes_qt[cle_langue >= 1 && cle_langue <= 8 ? cle_langue - 1 : 1]);

  if (!fenetre_menu()) return;
  QObject* fenetre = fenetre_menu()();
  if (!fenetre) return;
  if (cle_langue == 1) {
    coche(fenetre, "notation_francaise", true);
    coche(fenetre, "notation_internationale", false);
    coche(fenetre, "notation_pgn", false);
  } else {
    coche(fenetre, "notation_francaise", false);
    coche(fenetre, "notation_internationale", false);
    coche(fenetre, "notation_pgn", true);
  }
}

int id_texte(int numero) {
  const long long somme = static_cast<long long>(base_texte) + numero;
  if (somme < INT16_MIN || somme > INT16_MAX) throw std::overflow_error("Dépassement de capacité");
  return static_cast<int>(somme);
}

QString texte(int numero) { return objet_langue().affiche_texte(id_texte(numero)); }

QString nom_piece(int code) {
  const int type = type_piece(code);
  if (type < TYPE_PION || type > TYPE_ROI) return QString();
  return texte(156 + type - TYPE_PION);
}

void installe_fenetre_menu(std::function<QObject*()> fenetre) { fenetre_menu() = std::move(fenetre); }

void reinitialise_langue() {
  cle_langue = 1;
  base_texte = 10;
}
