// What the opening base reaches of windows that other parts of the program
// own: the main window's menu items, the opening lines window, the progress
// window, the board window's mouse pointer, the language texts, the engine
// profile in force and where the game in hand began. Each owner fills in its
// links when it is created. A link left empty behaves as its window being
// absent (nothing ticked, no opening lines window, profile 1, a game from the
// usual start), except the texts and the progress window, which default to
// the language's texts and the program's window patience.
#pragma once

#include <QString>
#include <functional>

// The opening lines window (its list of lines and its caption).
class ListeOuvertures {
 public:
  virtual ~ListeOuvertures() = default;
  virtual void vide_lignes() = 0;
  // Adds a line under `cle` ("ref" and the line's key). A key already in the
  // list is an error (throws).
  virtual void ajoute_ligne(const QString& cle, const QString& code, const QString& libelle, const QString& coups) = 0;
  virtual int nb_lignes() const = 0;
  virtual QString titre() const = 0;
  virtual void definit_titre(const QString& titre) = 0;
  virtual void montre() = 0;
};

// The progress window: a caption, a count line, a bar and a stop button that
// sets arret_demande.
class FenetreProgression {
 public:
  virtual ~FenetreProgression() = default;
  virtual void montre(const QString& titre) = 0;  // shown modeless
  virtual void definit_libelle(const QString& texte) = 0;
  virtual void progression(double pourcentage) = 0;
  virtual void ferme() = 0;
};

struct LiensOuvertures {
  // The main window's item affiche_commentaire: its check mark, and unticking it.
  std::function<bool()> affiche_commentaire;
  std::function<void()> decoche_affiche_commentaire;
  // Enables or disables the main window's item menu_voir_ouvertures.
  std::function<void(bool)> active_menu_voir_ouvertures;
  // Loads the opening lines window and hands it out.
  std::function<ListeOuvertures*()> charge_liste_coup;
  // Hands out the progress window (default: the program's window patience).
  std::function<FenetreProgression*()> patience;
  // The board window's mouse pointer becomes the icon of the piece `code`.
  std::function<void(int code)> pointeur_piece;
  // The text number `numero` (default: the current language's text).
  std::function<QString(int numero)> texte;
  // The engine profile in force (1 or 2).
  std::function<int()> profil_moteur;
  // The game in hand began from the usual start position: its movetext is
  // one the lines of the base can continue.
  std::function<bool()> partie_depuis_debut;
};

LiensOuvertures& liens_ouvertures();

// The links as the code reads them: the defaults apply where a link is empty.
bool commentaire_coche();
QString texte_ouvertures(int numero);
FenetreProgression* progression_ouvertures();
int profil_en_vigueur();
bool partie_du_debut();
