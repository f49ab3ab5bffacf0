#include "play/observateur_plateau.h"

#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "chess/outils.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/evenements.h"
#include "play/plateau.h"

namespace {

// Numbers in the status bar: a blank before a number that is not negative.
QString nombre(long v) { return (v >= 0 ? QStringLiteral(" ") : QString()) + QString::number(v); }
QString nombre(float v) {
  return (v >= 0 ? QStringLiteral(" ") : QString()) + QString::fromStdString(texte_nombre(v));
}

// A label takes a text only when it differs: each new text lays the status
// bar out again.
void ecrit(QLabel* l, const QString& t) {
  if (l && l->text() != t) l->setText(t);
}

}  // namespace

std::function<void()>& pendant_recherche() {
  static std::function<void()> f;
  return f;
}

ObservateurPlateau& observateur_plateau() {
  static ObservateurPlateau o;
  return o;
}

void ObservateurPlateau::laisse_passer() {
  // Without the board window nothing is shown and no event runs.
  if (!plateau::existante()) return;
  montre();
  plateforme::laisse_passer();
  if (pendant_recherche()) pendant_recherche()();
}

bool ObservateurPlateau::laisse_passer_si_du() {
  if (!plateforme::passage_du() || !plateau::existante()) return false;
  laisse_passer();
  return true;
}

void ObservateurPlateau::fin_recherche() {
  // Called from the end of the search, also while an error unwinds it.
  try {
    montre();
  } catch (...) {
  }
  barre_ = -1;
}

void ObservateurPlateau::montre() {
  plateau* p = plateau::existante();
  if (!p) {
    icone_due_ = titre_du_ = compteurs_dus_ = barre_due_ = false;
    return;
  }
  if (icone_due_) p->setWindowIcon(QIcon(plateau::fichier_icone(icone_)));
  if (titre_du_) p->setWindowTitle(QString::fromStdString(titre_));
  if (compteurs_dus_) {
    ecrit(p->panneau(2), nombre(coups_));
    ecrit(p->panneau(3), nombre(positions_));
    ecrit(p->panneau(4), nombre(note_));
  }
  if (barre_due_ && p->visu_prof->value() != barre_) p->visu_prof->setValue(barre_);
  icone_due_ = titre_du_ = compteurs_dus_ = barre_due_ = false;
}

void ObservateurPlateau::icone_piece(int code) {
  icone_ = code;
  icone_due_ = true;
}

void ObservateurPlateau::titre(const std::string& texte) {
  titre_ = texte;
  titre_du_ = true;
}

bool ObservateurPlateau::affiche_commentaire() const { return commentaire_coche() && fenetre_comment_chargee(); }

std::string ObservateurPlateau::texte_calcul() const {
  comment* c = fenetre_comment_chargee();
  return c ? c->calcul->toPlainText().toStdString() : std::string();
}

void ObservateurPlateau::definit_texte_calcul(const std::string& texte) {
  if (comment* c = fenetre_comment_chargee()) c->calcul->setPlainText(QString::fromStdString(texte));
}

void ObservateurPlateau::compteurs(long coups, long positions, float note) {
  coups_ = coups;
  positions_ = positions;
  note_ = note;
  compteurs_dus_ = true;
}

int ObservateurPlateau::barre_profondeur() const {
  if (barre_ >= 0) return barre_;
  plateau* p = plateau::existante();
  return p ? p->visu_prof->value() : 0;
}

void ObservateurPlateau::definit_barre_profondeur(int valeur) {
  barre_ = valeur;
  barre_due_ = true;
}

bool ObservateurPlateau::trace_active() const {
  plateau* p = plateau::existante();
  return p && p->log_ouvert();
}

void ObservateurPlateau::ligne_trace(const std::string& ligne) {
  if (plateau* p = plateau::existante()) p->ecrit_log(QString::fromStdString(ligne));
}

std::string ObservateurPlateau::texte(int numero) const { return ::texte(numero).toStdString(); }
