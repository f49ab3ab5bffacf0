// The comment window: the running commentary of the program (Text1), the
// machine's candidate moves (calcul), a button that lists the openings of the
// current moves (voir_coup) and one that empties the commentary (Command1).
//
// The window exists once: fenetre_comment() creates it on first use. Closing
// it unloads it (the instance is deleted) and unticks the main window's item
// affiche_commentaire, so the next one starts with an empty text. The main
// window shows it as a child of its MDI area.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

class comment : public QWidget {
  Q_OBJECT
 public:
  explicit comment(QWidget* parent = nullptr);
  ~comment() override;

  QPlainTextEdit* Text1;
  QPlainTextEdit* calcul;
  QPushButton* voir_coup;
  QPushButton* Command1;

  // The height the window takes when it loads, in pixels, on a screen
  // `hauteur_ecran` pixels tall: the screen less 80 pixels on a screen taller
  // than 667 pixels, its own height otherwise.
  static int hauteur_au_chargement(int hauteur_ecran, int hauteur_propre);

 public slots:
  void Command1_Click();
  void voir_coup_Click();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void Form_Load();
  void Form_Unload();
};

// The one comment window, created (loaded) when missing.
comment* fenetre_comment();
// The comment window when it is loaded, null otherwise.
comment* fenetre_comment_chargee();
// Shows the comment window (loading it when missing) at the top of the main
// window's area, right of `voisin` (the board window).
comment* montre_comment_a_droite_de(const QWidget* voisin);
// Unloads the comment window (as closing it does).
void decharge_comment();

// Appends `texte` (its line ends as they stand, CRLF or LF) to the comment
// window's Text1 while the main window's item affiche_commentaire is ticked.
// `defile`: the text box then gets the focus and the caret and the view go to
// the end. Returns true when the text was appended.
bool ajoute_commentaire(const QString& texte, bool defile = true);
// The same for one line: `ligne` followed by a line end.
bool ajoute_ligne_commentaire(const QString& ligne, bool defile = true);
// The text of Text1 (empty when the window is not loaded).
QString texte_commentaire();

// The machine's candidate moves in calcul: emptied before each machine move,
// each new best put in front of the previous text.
void vide_calcul();
void prefixe_calcul(const QString& texte);

// Enables or disables voir_coup when the window is loaded.
void active_voir_coup(bool actif);
