#include "play/prises.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <array>
#include <exception>

#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/regles.h"
#include "localisation/libelles.h"
#include "platform/fenetres.h"
#include "play/controles_partie.h"

int nb_prises_blanc = 0;
int nb_prises_noir = 0;
int compte_blancs[9] = {};
int compte_noirs[9] = {};

namespace {

constexpr int PAS_ICONE = 40;  // 600 twips
constexpr int COTE_ICONE = 32;
constexpr int MARGE = 12;
constexpr int HAUT_LIGNE = 20;
// The longest row: every piece of a side but its king.
constexpr int MAX_ICONES = 15;

QGroupBox* cadre(QWidget* parent, const char* nom, const QString& titre, int y) {
  auto* f = fenetres::nomme(new QGroupBox(titre, parent), nom);
  f->setGeometry(MARGE, y, 2 * MARGE + MAX_ICONES * PAS_ICONE, HAUT_LIGNE + COTE_ICONE + MARGE);
  return f;
}

QLabel* element_zero(QGroupBox* parent, const char* nom) {
  auto* l = fenetres::nomme(new QLabel(parent), nom, 0);
  l->setGeometry(MARGE, HAUT_LIGNE, COTE_ICONE, COTE_ICONE);
  l->setVisible(false);
  return l;
}

void vide_ligne(QList<QLabel*>& ligne, int& nb) {
  while (ligne.size() > 1) delete ligne.takeLast();
  nb = 0;
}

}  // namespace

prises* prises::existante() { return fenetres::existante<prises>(); }

prises::prises() {
  fenetres::enregistre(this);
  setObjectName(QStringLiteral("prises"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Tableau de chasse !"));
  Frame2 = cadre(this, "Frame2", QStringLiteral("Prises des NOIRS"), MARGE);
  Frame1 = cadre(this, "Frame1", QStringLiteral("Prises des BLANCS"), 2 * MARGE + Frame2->height());
  prise_noir << element_zero(Frame2, "prise_noir");
  prise_blanc << element_zero(Frame1, "prise_blanc");
  setFixedSize(Frame1->x() + Frame1->width() + MARGE, Frame1->y() + Frame1->height() + MARGE);
  Form_Load();
}

prises::~prises() {
  fenetres::retire(this);
}

void prises::Form_Load() {
  affiche_libelles(this);
  nb_prises_blanc = 0;
  nb_prises_noir = 0;
  affiche_prises();
}

void prises::affiche_prises() {
  vide_ligne(prise_blanc, nb_prises_blanc);
  vide_ligne(prise_noir, nb_prises_noir);
  std::fill(std::begin(compte_blancs), std::end(compte_blancs), 0);
  std::fill(std::begin(compte_noirs), std::end(compte_noirs), 0);

  const ControlesPartie jeu = controles_jeu();
  if (!jeu.echiquier) return;
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      const int code = jeu.echiquier->Piece(c, l);
      if (code < PION_NOIR || code > ROI_BLANC) continue;
      if (couleur_piece(code) == BLANC)
        ++compte_blancs[code - PION_BLANC];
      else
        ++compte_noirs[code - PION_NOIR];
    }

  // Initial set by type index: pawn, rook, knight, bishop, queen.
  static const int initial[5] = {8, 2, 2, 2, 1};
  const QString dossier = dossier_icones();
  auto manquants = [](const int* compte) {
    std::array<int, 5> m{};
    int promus = 0;
    for (int k = 1; k <= 4; ++k) {
      m[k] = std::max(0, initial[k] - compte[k]);
      promus += std::max(0, compte[k] - initial[k]);
    }
    m[0] = std::max(0, initial[0] - compte[0] - promus);
    return m;
  };
  const std::array<int, 5> blancs = manquants(compte_blancs);
  const std::array<int, 5> noirs = manquants(compte_noirs);

  auto ajoute = [&dossier](QList<QLabel*>& ligne, int& nb, int code) {
    QLabel* modele = ligne[0];
    ++nb;
    // The model is "nom(0)": the icons that follow it are "nom(1)"...
    auto* icone = fenetres::nomme(new QLabel(modele->parentWidget()), modele->objectName().chopped(3), nb);
    icone->setGeometry(modele->x() + (nb - 1) * PAS_ICONE, modele->y(), modele->width(), modele->height());
    try {
      icone->setPixmap(
          QPixmap::fromImage(mvdechiquier::charge_image(dossier + QString::number(code) + QStringLiteral(".ico"), COTE_ICONE)
                                 .scaled(COTE_ICONE, COTE_ICONE, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    } catch (const std::exception&) {
      // An icon missing from the piece set: the piece's letter stands in its place.
      icone->setText(QString(QLatin1Char(lettre_piece(2, code))));
      icone->setAlignment(Qt::AlignCenter);
    }
    icone->setProperty("code", code);
    icone->setVisible(true);
    ligne << icone;
  };
  for (int k = 4; k >= 0; --k) {
    for (int i = 0; i < blancs[k]; ++i) ajoute(prise_noir, nb_prises_noir, PION_BLANC + k);
    for (int i = 0; i < noirs[k]; ++i) ajoute(prise_blanc, nb_prises_blanc, PION_NOIR + k);
  }
}

prises* ouvre_prises() {
  prises* p = prises::existante();
  if (!p) p = new prises();
  p->show();
  p->raise();
  p->activateWindow();
  return p;
}
