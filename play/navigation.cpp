#include "play/navigation.h"

#include <QListWidget>
#include <QPushButton>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/observateur_recherche.h"
#include "chess/poids.h"
#include "chess/repetitions.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/minuterie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/observateur_plateau.h"
#include "play/partie.h"
#include "play/patience.h"
#include "play/plateau.h"

namespace {

const QString GO = QStringLiteral("Go");

bool code_valable(int code) { return code >= CASE_VIDE && code <= ROI_BLANC; }

// The recorded text of position k, when it is one.
const std::string* position_enregistree(int k) {
  if (k < 0 || static_cast<size_t>(k) >= historique_positions.size()) return nullptr;
  const std::string& s = historique_positions[static_cast<size_t>(k)];
  if (s.size() != 64) return nullptr;
  for (char ch : s)
    if (!code_valable(static_cast<unsigned char>(ch) - 32)) return nullptr;
  return &s;
}

bool montre_deja(const plateau& p, int k) {
  const std::string* s = position_enregistree(k);
  return s && *s == chaine_position_de([&p](int c, int l) { return p.Echiquier->Piece(c, l); });
}

void selectionne(plateau& p, int ligne) {
  if (ligne >= 0 && ligne < p.List1->count()) p.List1->setCurrentRow(ligne);
}

void arrete_defilement(plateau& p) {
  p.Timer3->Interval(0);
  p.action[4]->setText(GO);
  p.action[4]->setToolTip(QStringLiteral("Démarrer le défilement"));
}

}  // namespace

bool montre_position(plateau& p, int k) {
  const std::string* s = position_enregistree(k);
  if (!s) return false;
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      const int code = piece_de_chaine(*s, c, l);
      if (p.Echiquier->Piece(c, l) != code) p.Echiquier->Piece(c, l, code);
      tab_echiquier(c, l) = code;
    }
  // Marks and caption follow the position shown.
  p.Echiquier->clear_all();
  if (const EtatPosition* e = etat_position(k)) p.setWindowTitle(e->titre);
  return true;
}

bool revient_position_courante(plateau& p) {
  const int derniere = static_cast<int>(historique_positions.size()) - 1;
  p.selectionne_derniere_ligne();
  if (!position_enregistree(derniere)) return false;
  if (montre_deja(p, derniere)) {
    p.recharge_tab_echiquier();
    return false;
  }
  return montre_position(p, derniere);
}

void action_Click(plateau& p, int Index) {
  const int i = p.List1->currentRow();
  const int n = p.List1->count();
  if (Index == 4) {
    if (p.action[4]->text() != GO) {
      p.action[4]->setText(GO);
      if (mode_jeux == 4) {
        sablier(0);
        p.Timer4->Interval(0);
        // At once: the move being searched is not played.
        arrete_machine();
        p.action[4]->setToolTip(QStringLiteral("Démarrer le mode automatique"));
      } else {
        p.action[4]->setToolTip(QStringLiteral("Démarrer le défilement"));
      }
      p.Timer3->Interval(0);
    } else {
      p.action[4]->setText(QStringLiteral("P"));
      if (mode_jeux == 4) {
        p.Timer4->Interval(100);
      } else {
        p.Timer3->Interval(delai_attente);
        p.action[4]->setToolTip(QStringLiteral("Arrêter le défilement"));
      }
    }
    return;
  }
  // The four others show another position: never while the machine thinks
  // on the board.
  if (machine_occupee()) return;
  try {
    switch (Index) {
      case 0:  // "<<": the start position (the set-up one for a game from set-up)
        if (i == -1 || n == 0) return;
        p.remet_piece_levee();
        if (montre_position(p, 0)) selectionne(p, 0);
        break;
      case 1:  // "<": the position before the selected line's move
        if (i < 0) return;
        p.remet_piece_levee();
        if (montre_position(p, i) && i != 0) selectionne(p, i - 1);
        break;
      case 2:  // ">": the move after
        if (i == -1 || i > n - 1) return;
        p.remet_piece_levee();
        if (!montre_deja(p, i + 1) && montre_deja(p, i)) {
          // The board shows the position before the selected line's move
          // (the start position): that move comes first.
          montre_position(p, i + 1);
        } else if (i < n - 1) {
          if (montre_position(p, i + 2)) selectionne(p, i + 1);
        } else {
          montre_position(p, n);
        }
        break;
      case 3:  // ">>": the last move
        if (n == 0) return;
        p.remet_piece_levee();
        if (montre_position(p, n)) selectionne(p, n - 1);
        break;
      default:
        break;
    }
  } catch (const std::exception&) {
    // A picture that cannot be shown: the board keeps what it could show.
    p.recharge_tab_echiquier();
  }
}

void List1_DblClick(plateau& p) {
  if (machine_occupee()) return;
  const int i = p.List1->currentRow();
  try {
    p.Echiquier->clear_all();
    if (i != -1) {
      p.remet_piece_levee();
      montre_position(p, i + 1);
    }
  } catch (const std::exception&) {
    p.recharge_tab_echiquier();
  }
  if (i < 0 || static_cast<size_t>(i) + 1 >= commentaires_coups.size()) return;
  const std::string& note = commentaires_coups[static_cast<size_t>(i) + 1];
  if (!note.empty() && commentaire_coche())
    ajoute_commentaire(QStringLiteral("{") + QString::fromStdString(note) + QStringLiteral("}\r\n"), true);
}

void Timer3_Timer(plateau& p) {
  if (machine_occupee()) return;
  const int i = p.List1->currentRow();
  const int n = p.List1->count();
  if (i == -1 || i > n - 1) return;
  try {
    p.remet_piece_levee();
    if (!montre_deja(p, i + 1)) {
      // The board catches up with the selected line first.
      if (!montre_position(p, i + 1) || i == n - 1) arrete_defilement(p);
      return;
    }
    if (i == n - 1) {
      arrete_defilement(p);
      return;
    }
    montre_position(p, i + 2);
    selectionne(p, i + 1);
    if (i + 1 == n - 1) arrete_defilement(p);
  } catch (const std::exception&) {
    p.recharge_tab_echiquier();
    arrete_defilement(p);
  }
}

void Timer4_Timer(plateau& p) {
  if (machine_occupee()) return;
  fenetres::montre_enfant(&p);
  sablier(1);
  const size_t positions = historique_positions.size();
  const bool suite = joue_machine();
  // joue_machine may end with the board window closed; everything below
  // reads it.
  if (plateau::existante() != &p) {
    sablier(0);
    return;
  }
  if (!suite) {
    p.Timer4->Interval(0);
    p.action[4]->setText(GO);
    p.action[4]->setToolTip(QStringLiteral("Démarrer le mode automatique"));
  }
  sablier(0);
  // The other side's profile for the next move; a move stopped before it was
  // played leaves the turn, and its profile, as they were.
  if (historique_positions.size() > positions) profil_moteur = (profil2_charge && profil_moteur != 2) ? 2 : 1;
}

void branche_plateau(plateau& p) {
  for (int i = 0; i < p.action.size(); ++i)
    QObject::connect(p.action[i], &QPushButton::clicked, &p, [&p, i] { action_Click(p, i); });
  QObject::connect(p.List1, &QListWidget::itemDoubleClicked, &p, [&p] { List1_DblClick(p); });
  QObject::connect(p.Timer3, &plateforme::Minuterie::Timer, &p, [&p] { Timer3_Timer(p); });
  QObject::connect(p.Timer4, &plateforme::Minuterie::Timer, &p, [&p] { Timer4_Timer(p); });
  if (liens_jeu().liste_parties) liens_jeu().liste_parties(p);
}
