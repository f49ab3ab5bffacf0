// The board window: the game in hand on the board control, its move list,
// clocks, coordinates, navigation buttons, set-up palette, game list, chat
// frame and status bar.
//
// Controls are members named as the program names them, with the same
// objectName. A control array keeps its indexes in a QList and each element
// is named with its index in brackets: repere[3] is "repere(3)", action[4]
// "action(4)", Piece[12] "Piece(12)" (Piece[0] and Piece[1] are null),
// Label7[2] "Label7(2)".
//
// The window exists once (fenetres::instance<plateau>()); creating it loads
// it (Form_Load: the new game's state, clocks, log file, board, first
// position, the machine's first move when the human has Black against the
// machine). Use charge_plateau() / affiche_plateau() to get it: they give
// nothing when the load failed. Closing it or deleting it unloads it
// (Form_Unload).
#pragma once

#include <QCursor>
#include <QFile>
#include <QIcon>
#include <QList>
#include <QMap>
#include <QString>
#include <QWidget>
#include <memory>

#include "chess/coups.h"
#include "chess/repetitions.h"
#include "play/controles_partie.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTreeView;
class ModeleParties;
namespace mvdechiquier {
class Echiquier;
}
namespace plateforme {
class FichierJournal;
class Minuterie;
}

class plateau : public QWidget, public VuePartie {
  Q_OBJECT

 public:
  plateau();
  ~plateau() override;

  // A piece lifted for a move goes back to its square (before the machine
  // moves or the board shows another position); nothing when none is lifted.
  void remet_piece_levee();

  // The loaded board window, or null.
  static plateau* existante();
  // The screen height in pixels the load sizes the window by; 0 (the normal
  // case) reads the primary screen. Tests set it.
  static int hauteur_ecran_essai;

  // --- Controls -----------------------------------------------------------
  mvdechiquier::Echiquier* Echiquier = nullptr;
  QListWidget* List1 = nullptr;     // the move list, one line per half-move, then result lines
  QTreeView* List2 = nullptr;       // the game list of a PGN file, eight columns, over modele_parties
  ModeleParties* modele_parties = nullptr;  // the games List2 shows (play/modele_parties.h)
  QMap<QString, QIcon> ImlIcon;     // the game list's icons: "main" (loaded now), "validation" (loaded before)
  QLabel* Label1 = nullptr;         // "Liste des coups"
  QLabel* Label2 = nullptr;         // under the game list
  QLabel* Horloge_basse = nullptr;  // clock of the side drawn at the bottom
  QLabel* horloge_haute = nullptr;  // clock of the other side
  QLabel* duree_partie = nullptr;   // game duration
  QProgressBar* visu_prof = nullptr;  // search depth, 0..3
  QList<QLabel*> repere;            // 0..7 file letters left to right, 8..15 rank numbers from the bottom up
  QPushButton* bouton_repere = nullptr;
  QList<QPushButton*> action;       // 0 "<<", 1 "<", 2 ">", 3 ">>", 4 "Go"
  QPushButton* Command1 = nullptr;  // resign
  QPushButton* Command2 = nullptr;  // enter position set-up
  QPushButton* Command3 = nullptr;  // hint
  QPushButton* Command4 = nullptr;  // end of set-up
  QPushButton* Command5 = nullptr;  // send a chat line
  QPushButton* Command6 = nullptr;  // print the game list
  QPushButton* note = nullptr;      // comment on the selected move
  QGroupBox* Frame1 = nullptr;      // the set-up palette
  QList<QLabel*> Piece;             // 2..13, one picture per piece code
  QList<QLabel*> Label7;            // 2: "N° coup :"
  QLineEdit* texte_coup = nullptr;  // the move number set-up starts from
  QGroupBox* message = nullptr;     // the chat frame of a network game
  QLabel* Label3 = nullptr;
  QPlainTextEdit* Text1 = nullptr;  // chat received
  QLineEdit* Text2 = nullptr;       // chat to send
  QStatusBar* StatusBar1 = nullptr;
  plateforme::Minuterie* Timer1 = nullptr;  // lower clock
  plateforme::Minuterie* Timer2 = nullptr;  // upper clock
  plateforme::Minuterie* Timer3 = nullptr;  // timed replay
  plateforme::Minuterie* Timer4 = nullptr;  // automatic play
  plateforme::Minuterie* Timer5 = nullptr;  // game duration

  // Panel `n` of the status bar (1..4): 1 the last move, 2 moves tried,
  // 3 positions evaluated, 4 the best note.
  QLabel* panneau(int n) const;

  // --- Move input state of the window ----------------------------------
  int colonne_depart = 0;
  int ligne_depart = 0;
  int piece_levee = 1;
  // The window's mouse icon: the picture the pointer shows while a piece is
  // lifted. The lift sets it and shows it; a book move of the machine sets it
  // to the piece it moves without showing it.
  QCursor icone_souris;
  // The mouse icon becomes the icon of the piece `code` in the current piece
  // set; an icon that cannot be read throws and leaves it as it was.
  void prend_icone_souris(int code);

  // True when Form_Load ended on an error (the window is then unloaded by
  // charge_plateau()).
  bool chargement_rate() const { return chargement_rate_; }
  // True once the window has unloaded (or is unloading).
  bool dechargee() const { return decharge_; }

  // --- Carrying out and recording moves ----------------------------------
  // The board control shows tab_echiquier again, square by square.
  void montre_tab_echiquier();
  // tab_echiquier takes the 64 squares of the board control.
  void recharge_tab_echiquier();
  // The board control and the move list, as the game commands take them.
  ControlesPartie controles() { return {Echiquier, List1}; }
  // Adds a line at the end of the move list.
  void ajoute_ligne_liste(const QString& ligne);
  // Selects the last line of the move list.
  void selectionne_derniere_ligne();
  // The icon file of a piece code in the current piece set.
  static QString fichier_icone(int code);
  // Its icon, read once per file (an icon file is decoded whole).
  static QIcon icone(int code);
  // The window's icon becomes that piece's (only when it changes: a new
  // window icon goes to every child of the window).
  void montre_icone(int code);
  // The window caption after a move: "Partie en cours - [move] - Evaluation : [ note]".
  void titre_coup(const QString& coup_court, float note);
  // The same with the evaluation field as given (empty for a move the
  // network brought: this side made no evaluation).
  void titre_coup(const QString& coup_court, const QString& nombre);

  // --- The chess clocks ------------------------------------------------------
  // Each clock keeps its remaining time in milliseconds; the running one
  // counts the real time its side spends (plateforme::instant_ms()) from the
  // moment it started. Timer1 and Timer2 only refresh the display (and let a
  // flag fall), so a move made in under a second still costs its time.
  // The lower clock (basse) is the one of the side drawn at the bottom.
  // Starts one clock, the other stops with the time it used counted.
  void demarre_horloge(bool basse);
  // Both stop, their time counted.
  void arrete_horloges();
  // Sets a clock to `secondes` and shows it (a negative value: no clock).
  void regle_horloge(bool basse, int secondes);
  // The remaining milliseconds of a clock now (the running one counted up to
  // now); -1 when it is not set.
  qint64 reste_horloge_ms(bool basse) const;
  // The clock that runs: 1 lower, 0 upper, -1 none.
  int horloge_en_marche() const { return horloge_en_marche_; }

  // --- The log file ---------------------------------------------------------
  // True while GES_LOG was 1 at load and the file is open.
  bool log_ouvert() const;
  // Appends one line (CR LF added, Windows-1252) to the open log file.
  void ecrit_log(const QString& ligne);

  // --- VuePartie (what the repetition count reads) -------------------------
  int piece(int colonne, int ligne) const override;
  int nb_lignes_liste() const override;
  std::string ligne_liste(int indice) const override;

 public slots:
  void Echiquier_Click(int colonne, int ligne);
  void Echiquier_MouseDown(int colonne, int ligne, int Index, int Button, int Shift, float X, float Y);
  void bouton_repere_Click();
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer5_Timer();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void construit();
  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void premier_coup_machine_blanc();

  // The move input, by click state.
  void clic_depart(int colonne, int ligne);
  void clic_arrivee(int colonne, int ligne);
  void clic_programmation(int colonne, int ligne);
  void remet_piece();
  void coupe_partie(int k);
  void joue_coup_humain(int colonne, int ligne);
  int demande_promotion(int couleur, bool& annule);
  bool partie_terminee_pour_clic() const;
  bool piece_refusee(int code);

  void tick_horloge(QLabel* horloge, bool basse);
  void montre_horloge(bool basse);

  qint64 reste_ms_[2] = {-1, -1};  // [0] upper, [1] lower
  int horloge_en_marche_ = -1;
  qint64 depart_ms_ = 0;

  bool chargement_rate_ = false;
  bool decharge_ = false;
  int hauteur_memorisee_ = 0;
  int largeur_memorisee_ = 0;
  std::unique_ptr<plateforme::FichierJournal> log_;
  QList<QLabel*> panneaux_;
};

// The board window loaded (created and loaded when missing), not shown;
// null when its load failed (the window is then gone again).
plateau* charge_plateau();
// The same, then shown as a child of the main window and given the focus.
plateau* affiche_plateau();

// Automatic play of machine against machine: Timer4 at 100 ms, action(4)
// captioned "P".
void lance_calcul_auto();

// "hh:nn:ss" of a number of seconds within a day.
QString texte_heure(int secondes);
// The seconds of an "hh:nn:ss" text (also "h:m:s"); -1 when it is not a time.
int secondes_heure(const QString& texte);
