#include "play/commandes_partie.h"
#include "play/impression.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "play/commentaires.h"
#include "play/conseil.h"
#include "play/controles_partie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/mise_en_place.h"
#include "play/modif_coup.h"
#include "play/nulle_abandon.h"
#include "play/partie.h"
#include "play/patience.h"
#include "play/plateau.h"
#include "play/position_presse_papiers.h"
#include "play/rejoue.h"

namespace {

// A left click on a palette picture (a label has no click signal of its own).
class ClicPalette : public QObject {
 public:
  ClicPalette(plateau& p, int code) : QObject(p.Piece[code]), p_(p), code_(code) {}

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
      Piece_Click(p_, code_);
      return true;
    }
    return false;
  }

 private:
  plateau& p_;
  int code_;
};

}  // namespace

void reperes_selon_orientation(plateau& p) {
  for (int i = 0; i <= 7 && i < p.repere.size(); ++i)
    p.repere[i]->setText(QString(QChar(couleur_joueur == NOIR ? 104 - i : 97 + i)));
  for (int i = 8; i <= 15 && i < p.repere.size(); ++i)
    p.repere[i]->setText(QString::number(couleur_joueur == NOIR ? 16 - i : i - 7));
}

void quitte_mise_en_place(plateau& p) {
  etat_clic = 0;
  piece_choisie = 0;
  p.unsetCursor();
  p.Frame1->setVisible(false);
  p.Command3->setEnabled(true);
}

namespace {

// The machine takes its move in a game loaded or pasted with its side to
// move when, by the time the event loop runs this, the game is still the one
// in hand, on and the machine's: as after a move of the person on the board.
// A side to move without a move is mated or stalemated there.
void machine_a_son_tour(plateau& p) {
  if (mode_jeux != 1) return;
  QTimer::singleShot(0, &p, [&p] {
    if (plateau::existante() != &p || mode_jeux != 1 || !partie_en_cours() || machine_occupee() || etat_clic != 0)
      return;
    // The person moved last: the machine's side is to move.
    if (dernier_trait == couleur_joueur) reponse_machine();
  });
}

}  // namespace

void rejoue_partie(const std::string& fen, SuiteRejeu suite) {
  // The machine is alone on the board while it plays.
  if (machine_occupee()) return;
  // Loading the board window starts a new game: the loader's game record
  // must outlive it.
  const std::string partie = texte_partie, resultat = resultat_partie, entete = entete_pgn;
  const std::vector<std::string> commentaires = commentaires_coups;
  plateau* p = plateau::existante();
  if (!p) {
    p = charge_plateau();
    if (!p) return;
    texte_partie = partie;
    resultat_partie = resultat;
    entete_pgn = entete;
    commentaires_coups = commentaires;
  }
  int couleur = couleur_joueur;
  if (liens_jeu().couleur_choisie) couleur = liens_jeu().couleur_choisie();
  quitte_mise_en_place(*p);
  ControlesPartie c = p->controles();
  rejoue_partie(c, couleur, fen);
  reperes_selon_orientation(*p);
  if (suite == SuiteRejeu::MACHINE) machine_a_son_tour(*p);
}

void branche_commandes_plateau(plateau& p) {
  QObject::connect(p.note, &QPushButton::clicked, &p, [&p] { commente_coup(*p.List1); });
  QObject::connect(p.Command1, &QPushButton::clicked, &p, [] { abandonne_partie(true); });
  QObject::connect(p.Command2, &QPushButton::clicked, &p, [&p] { Command2_Click(p); });
  QObject::connect(p.Command3, &QPushButton::clicked, &p, [&p] { Command3_Click(p); });
  QObject::connect(p.Command4, &QPushButton::clicked, &p, [&p] { Command4_Click(p); });
  QObject::connect(p.Command6, &QPushButton::clicked, &p, [&p] { Command6_Click(p); });
  for (int code = 2; code <= 13; ++code)
    if (p.Piece.size() > code && p.Piece[code]) p.Piece[code]->installEventFilter(new ClicPalette(p, code));
}

void menu_copie_position_Click(int Index) {
  const ControlesPartie c = controles_jeu();
  if (!c.echiquier || machine_occupee()) return;
  copie_position(c, Index);
}

void menu_coller_position_Click() {
  ControlesPartie c = controles_jeu();
  if (!c.echiquier || machine_occupee()) return;
  if (colle_position(c) == CollageLu::RIEN) return;
  // A pasted position starts play: a set-up in progress ends without its
  // palette, a running clock is the side to move's, and the machine moves
  // when the position gives it the move.
  if (plateau* p = plateau::existante()) {
    quitte_mise_en_place(*p);
    if (p->horloge_en_marche() != -1) bascule_horloge(dernier_trait);
    machine_a_son_tour(*p);
  }
}

void menu_modif_coup_Click() {
  ControlesPartie c = controles_jeu();
  if (!c.echiquier || etat_clic == 99 || machine_occupee()) return;
  modifie_dernier_coup(c);
}

void menu_propose_nul_Click() { propose_nulle(); }

void menu_abandon_Click() { abandonne_partie(false); }

void menu_position_Click() { commande_mise_en_place(); }
