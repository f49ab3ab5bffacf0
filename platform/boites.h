// Message boxes and input boxes.
//
// The style of a message box is the sum of a button set and an icon; the
// answer is the button pressed. In tests the answers are queued beforehand
// and every box shown is recorded; a box nobody expected is reported through
// the handler the test program installs, with its text. A box shows its text
// through texte_court() (platform/texte_court.h): what it quotes of a file or
// of a person is cut to a readable length and the box fits the screen; the
// tests record the text as shown.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace boite {
enum Style : int {
  OK_SEUL = 0,
  OK_ANNULER = 1,
  OUI_NON_ANNULER = 3,
  OUI_NON = 4,
  CRITIQUE = 16,
  QUESTION = 32,
  EXCLAMATION = 48,
  INFORMATION = 64,
  DEFAUT_2 = 256,  // the second button (No of Yes/No) is the default
};
enum Reponse : int { OK = 1, ANNULER = 2, OUI = 6, NON = 7 };
}  // namespace boite

namespace plateforme {

// Shows a modal message box; returns a boite::Reponse.
int boite_message(const QString& texte, int style = boite::OK_SEUL, const QString& titre = QString());

// Shows a modal input box; returns the text typed, or an empty text on cancel.
QString boite_saisie(const QString& invite, const QString& titre = QString(), const QString& defaut = QString());

// The message box of an error: exclamation icon, titled with the program name
// unless a title is given.
void boite_erreur(const QString& texte, const QString& titre = QString());

// --- Seam for tests -----------------------------------------------------
struct BoiteVue {
  QString texte;
  QString titre;
  int style = 0;
  bool saisie = false;
  QString defaut;  // the answer an input box proposes
};

class BoitesEnTest {
 public:
  // Starts recording: no real box is shown from now on.
  static void active(std::function<void(const QString&)> inattendue);
  static void desactive();
  static bool actif();
  static void repond(int reponse);              // next message box answer
  static void saisit(const QString& texte);     // next input box answer
  static const QList<BoiteVue>& vues();
  static QStringList textes();                  // the texts of the boxes shown
  static void efface();                         // forgets the boxes shown, the queued answers and the witness
  // Called with every box as it is shown, before it is answered: what the
  // user sees on the windows behind the box.
  static void temoin(std::function<void(const BoiteVue&)> f);
  static int reponses_restantes();
};

}  // namespace plateforme
