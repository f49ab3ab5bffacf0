#include "platform/boites.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QFontMetrics>
#include <QScreen>
#include <deque>

#include "chess/messages.h"
#include "platform/texte_court.h"

namespace plateforme {

namespace {
struct EtatTest {
  bool actif = false;
  std::function<void(const QString&)> inattendue;
  std::deque<int> reponses;
  std::deque<QString> saisies;
  QList<BoiteVue> vues;
  std::function<void(const BoiteVue&)> temoin;
};
EtatTest& etat() {
  static EtatTest e;
  return e;
}

int reponse_par_defaut(int style) {
  switch (style & 7) {
    case boite::OUI_NON:
      return boite::NON;
    case boite::OUI_NON_ANNULER:
    case boite::OK_ANNULER:
      return boite::ANNULER;
    default:
      return boite::OK;
  }
}

QString titre_ou_programme(const QString& titre) {
  return titre.isEmpty() ? QString::fromUtf8(NOM_PROGRAMME) : cite(titre);
}

// A box taller than the screen hides its buttons: its text is shortened
// further until it fits. The box wraps a long text at about half the
// screen's width (500 pixels at most); its icon, margins and buttons take
// less than 160 pixels.
void rentre_dans_ecran(QMessageBox& mb, const QString& texte) {
  const QScreen* ecran = mb.screen();
  if (!ecran) return;
  const QSize place = ecran->availableGeometry().size();
  const QFontMetrics mesure(mb.font());
  const int largeur_texte = qMax(200, qMin(place.width() / 2, 500));
  auto trop_grande = [&] {
    const QRect r = mesure.boundingRect(QRect(0, 0, largeur_texte, 1 << 20), Qt::TextWordWrap, mb.text());
    return r.height() + 160 > place.height();
  };
  int lignes = LIGNES_BOITE_MAX;
  int largeur = LIGNE_BOITE_MAX;
  while (lignes > 3 && trop_grande()) {
    lignes /= 2;
    largeur = largeur * 2 / 3;
    mb.setText(texte_court(texte, lignes, largeur));
  }
}
}  // namespace

int boite_message(const QString& texte_entier, int style, const QString& titre) {
  const QString texte = texte_court(texte_entier);
  EtatTest& e = etat();
  if (e.actif) {
    e.vues.append({texte, titre_ou_programme(titre), style, false, QString()});
    if (auto t = e.temoin) t(BoiteVue(e.vues.back()));
    if (e.reponses.empty()) {
      if (e.inattendue) e.inattendue(texte);
      return reponse_par_defaut(style);
    }
    const int r = e.reponses.front();
    e.reponses.pop_front();
    return r;
  }
  QMessageBox mb(QApplication::activeWindow());
  mb.setWindowTitle(titre_ou_programme(titre));
  // The program's texts and what a remote player typed are shown as they
  // stand: never read as rich text.
  mb.setTextFormat(Qt::PlainText);
  mb.setText(texte);
  switch (style & 0x70) {
    case boite::CRITIQUE: mb.setIcon(QMessageBox::Critical); break;
    case boite::QUESTION: mb.setIcon(QMessageBox::Question); break;
    case boite::EXCLAMATION: mb.setIcon(QMessageBox::Warning); break;
    case boite::INFORMATION: mb.setIcon(QMessageBox::Information); break;
    default: break;
  }
  switch (style & 7) {
    case boite::OK_ANNULER: mb.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case boite::OUI_NON_ANNULER: mb.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case boite::OUI_NON: mb.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: mb.setStandardButtons(QMessageBox::Ok); break;
  }
  rentre_dans_ecran(mb, texte_entier);
  if (style & boite::DEFAUT_2) mb.setDefaultButton((style & 7) == boite::OK_ANNULER ? QMessageBox::Cancel : QMessageBox::No);
  switch (mb.exec()) {
    case QMessageBox::Yes: return boite::OUI;
    case QMessageBox::No: return boite::NON;
    case QMessageBox::Cancel: return boite::ANNULER;
    default: return boite::OK;
  }
}

QString boite_saisie(const QString& invite_entiere, const QString& titre, const QString& defaut) {
  const QString invite = texte_court(invite_entiere);
  EtatTest& e = etat();
  if (e.actif) {
    e.vues.append({invite, titre_ou_programme(titre), 0, true, defaut});
    if (auto t = e.temoin) t(BoiteVue(e.vues.back()));
    if (e.saisies.empty()) {
      if (e.inattendue) e.inattendue(invite);
      return QString();
    }
    const QString s = e.saisies.front();
    e.saisies.pop_front();
    return s;
  }
  bool ok = false;
  const QString s = QInputDialog::getText(QApplication::activeWindow(), titre_ou_programme(titre), invite,
                                          QLineEdit::Normal, defaut, &ok);
  return ok ? s : QString();
}

void boite_erreur(const QString& texte, const QString& titre) {
  boite_message(texte, boite::EXCLAMATION, titre);
}

void BoitesEnTest::active(std::function<void(const QString&)> inattendue) {
  etat().actif = true;
  etat().inattendue = std::move(inattendue);
}
void BoitesEnTest::desactive() { etat() = EtatTest{}; }
bool BoitesEnTest::actif() { return etat().actif; }
void BoitesEnTest::repond(int reponse) { etat().reponses.push_back(reponse); }
void BoitesEnTest::saisit(const QString& texte) { etat().saisies.push_back(texte); }
const QList<BoiteVue>& BoitesEnTest::vues() { return etat().vues; }
QStringList BoitesEnTest::textes() {
  QStringList l;
  for (const BoiteVue& v : etat().vues) l << v.texte;
  return l;
}
void BoitesEnTest::efface() {
  etat().vues.clear();
  etat().reponses.clear();
  etat().saisies.clear();
  etat().temoin = nullptr;
}
void BoitesEnTest::temoin(std::function<void(const BoiteVue&)> f) { etat().temoin = std::move(f); }
int BoitesEnTest::reponses_restantes() {
  return static_cast<int>(etat().reponses.size() + etat().saisies.size());
}

}  // namespace plateforme
