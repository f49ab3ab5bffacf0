#include "play/observateur_plateau.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include "chess/outils.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/evenements.h"
#include "play/plateau.h"

namespace {

long refusees = 0;

// Refuses the user's input while it is installed on the application.
class FiltreSaisies : public QObject {
 public:
  bool eventFilter(QObject* cible, QEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
      case QEvent::Close:
      case QEvent::TouchBegin:
      case QEvent::TabletPress:
      case QEvent::Drop:
        if (permis(cible, e)) return false;
        ++refusees;
        // A close event not delivered would still close the window.
        if (e->type() == QEvent::Close) e->ignore();
        return true;
      default:
        return false;
    }
  }

 private:
  static bool permis(QObject* cible, QEvent* e) {
    QWidget* w = qobject_cast<QWidget*>(cible);
    // The platform's windows pass mouse and keys on to their widgets, where
    // the decision is taken; a close goes to the widget as well.
    if (!w) return cible->isWindowType() && e->type() != QEvent::Shortcut;
    if (QWidget* modale = QApplication::activeModalWidget())
      if (w == modale || modale->isAncestorOf(w)) return true;
    // "P" stops automatic play; that changes no piece.
    if (plateau* p = plateau::existante()) {
      const bool souris = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease;
      if (souris && p->action.size() > 4 && w == p->action[4]) return true;
    }
    return false;
  }
};

FiltreSaisies& filtre() {
  static FiltreSaisies f;
  return f;
}

int poses = 0;

// Installs the filter for its lifetime (nested searches install it once).
class PoseFiltre {
 public:
  PoseFiltre() {
    if (poses++ == 0 && qApp) qApp->installEventFilter(&filtre());
  }
  ~PoseFiltre() {
    if (--poses == 0 && qApp) qApp->removeEventFilter(&filtre());
  }
};

// Numbers in the status bar: a blank before a number that is not negative.
QString nombre(long v) { return (v >= 0 ? QStringLiteral(" ") : QString()) + QString::number(v); }
QString nombre(float v) {
  return (v >= 0 ? QStringLiteral(" ") : QString()) + QString::fromStdString(texte_nombre(v));
}

}  // namespace

std::function<void()>& pendant_recherche() {
  static std::function<void()> f;
  return f;
}

long nb_saisies_refusees() { return refusees; }

ObservateurPlateau& observateur_plateau() {
  static ObservateurPlateau o;
  return o;
}

void ObservateurPlateau::laisse_passer() {
  // Without the board window nothing is shown and no event runs.
  if (!plateau::existante()) return;
  const PoseFiltre pose;
  plateforme::laisse_passer();
  if (pendant_recherche()) pendant_recherche()();
}

void ObservateurPlateau::icone_piece(int code) {
  if (plateau* p = plateau::existante()) p->setWindowIcon(QIcon(plateau::fichier_icone(code)));
}

void ObservateurPlateau::titre(const std::string& texte) {
  if (plateau* p = plateau::existante()) p->setWindowTitle(QString::fromStdString(texte));
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
  plateau* p = plateau::existante();
  if (!p) return;
  p->panneau(2)->setText(nombre(coups));
  p->panneau(3)->setText(nombre(positions));
  p->panneau(4)->setText(nombre(note));
}

int ObservateurPlateau::barre_profondeur() const {
  plateau* p = plateau::existante();
  return p ? p->visu_prof->value() : 0;
}

void ObservateurPlateau::definit_barre_profondeur(int valeur) {
  if (plateau* p = plateau::existante()) p->visu_prof->setValue(valeur);
}

bool ObservateurPlateau::trace_active() const {
  plateau* p = plateau::existante();
  return p && p->log_ouvert();
}

void ObservateurPlateau::ligne_trace(const std::string& ligne) {
  if (plateau* p = plateau::existante()) p->ecrit_log(QString::fromStdString(ligne));
}

std::string ObservateurPlateau::texte(int numero) const { return ::texte(numero).toStdString(); }
