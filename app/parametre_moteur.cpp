#include "app/parametre_moteur.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "app/preferences.h"
#include "chess/poids.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fichiers_texte.h"
#include "platform/lancement.h"

QString fichiers_parametres[3];

namespace {
// The keys whose value is a text taken as it stands.
bool cle_texte(const QString& cle) {
  return cle == QLatin1String("NOM_JOUEUR") || cle == QLatin1String("NOM_MOTEUR") ||
         cle == QLatin1String("OUVERTURE_DEFAUT");
}
}  // namespace

const QStringList& cles_parametres_moteur() {
  static const QStringList cles = [] {
    QStringList l = {"NOM_JOUEUR",      "NOM_MOTEUR",          "NIVEAU_ELO",    "OUVERTURE_DEFAUT",
                     "ACTIVE_BASE_CON", "OUVERTURE_ALEATOIRE"};
    // The [CALCUL] keys of the machine player, but the one value that both
    // profiles share.
    for (const ClePoids& c : cles_calcul())
      if (c.par_profil) l << QString::fromLatin1(c.cle.data(), static_cast<int>(c.cle.size()));
    return l;
  }();
  return cles;
}

bool lit_parametres_moteur(const QString& chemin, QList<ReglageFichier>& reglages, QString& erreur) {
  reglages.clear();
  QStringList lignes;
  QString raison;
  if (!plateforme::lit_lignes(chemin, lignes, &raison)) {
    erreur = raison;  // names the file and the cause
    return false;
  }
  for (int n = 0; n < lignes.size(); ++n) {
    for (const QString& brut : decoupe_elements(lignes[n].trimmed())) {
      QString cle, valeur;
      if (!decoupe_reglage(brut.trimmed(), cle, valeur) || !cles_parametres_moteur().contains(cle)) continue;
      // A number is a plain number that the settings reader takes for its key.
      const bool bonne = cle_texte(cle) || (est_nombre(valeur) && valeur_acceptee(cle, valeur.trimmed()));
      if (!bonne) {
        erreur = texte(916).arg(QDir::toNativeSeparators(chemin)).arg(n + 1) + QStringLiteral("\r\n -> (") + cle +
                 QLatin1Char('=') + valeur + QStringLiteral(")\r\n") + texte(918);
        reglages.clear();
        return false;
      }
      reglages.append({cle, cle_texte(cle) ? valeur : valeur.trimmed(), n + 1});
    }
  }
  return true;
}

bool charge_parametres_moteur(const QString& chemin1, const QString& chemin2, QString& erreur) {
  QList<ReglageFichier> reglages[3];
  const QString chemins[3] = {QString(), chemin1, chemin2};
  for (int p = 1; p <= 2; ++p) {
    if (!plateforme::est_fichier(chemins[p])) {
      erreur = QLatin1Char('[') + chemins[p] + QStringLiteral("] ") + texte(270);
      return false;
    }
    if (!lit_parametres_moteur(chemins[p], reglages[p], erreur)) return false;
  }
  // Both files are good: now the profiles change.
  for (int p = 1; p <= 2; ++p)
    for (const ReglageFichier& r : reglages[p]) range_reglage(r.cle, r.valeur, p);
  profil2_charge = -1;
  fichiers_parametres[1] = chemin1;
  fichiers_parametres[2] = chemin2;
  return true;
}

// --- The window -----------------------------------------------------------------

parametre::parametre() {
  setObjectName(QStringLiteral("parametre"));
  setWindowTitle(QStringLiteral("Fichiers de paramètres externe (INI)"));
  using fenetres::nomme;
  auto* tout = new QVBoxLayout(this);
  Label1 = nomme(new QLabel(this), "Label1");
  Label1->setWordWrap(true);
  tout->addWidget(Label1);
  for (int i = 1; i <= 2; ++i) {
    Frame2[i] = nomme(new QGroupBox(this), "Frame2", i);
    auto* g = new QGridLayout(Frame2[i]);
    Command3[i] = nomme(new QPushButton(Frame2[i]), "Command3", i);
    Text1[i] = nomme(new QLineEdit(Frame2[i]), "Text1", i);
    voir[i] = nomme(new QPushButton(Frame2[i]), "voir", i);
    g->addWidget(Command3[i], 0, 0);
    g->addWidget(Text1[i], 0, 1);
    g->addWidget(voir[i], 0, 2);
    tout->addWidget(Frame2[i]);
    connect(Command3[i], &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
    connect(voir[i], &QPushButton::clicked, this, [this, i] { voir_Click(i); });
  }
  Command2 = nomme(new QPushButton(this), "Command2");
  Command1 = nomme(new QPushButton(this), "Command1");
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(Command2);
  boutons->addWidget(Command1);
  tout->addLayout(boutons);
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  resize(560, 260);
}

parametre::~parametre() = default;

void parametre::Form_Load() {
  affiche_libelles(this);
  setWindowTitle(texte(651));
  for (int i = 1; i <= 2; ++i) Text1[i]->setText(profil2_charge ? fichiers_parametres[i] : fichier_ini);
  // Big enough for its captions in every language and for a path of some
  // length, the explanation on as many lines as it needs.
  for (int i = 1; i <= 2; ++i)
    Text1[i]->setMinimumWidth(std::max(Text1[i]->fontMetrics().horizontalAdvance(Text1[i]->text()) + 12,
                                       Text1[i]->fontMetrics().averageCharWidth() * 40));
  const int largeur = std::max(560, layout()->minimumSize().width());
  const int hauteur = std::max(layout()->minimumSize().height(), layout()->totalHeightForWidth(largeur));
  setMinimumSize(largeur, hauteur);
  resize(largeur, hauteur);
  // Centred: in the main window's area, or on the screen.
  if (auto* sous = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sous->resize(sous->minimumSizeHint().expandedTo(sous->size()));
    if (QMdiArea* zone = sous->mdiArea()) {
      const QRect r = zone->viewport()->rect();
      sous->move(std::max(0, (r.width() - sous->width()) / 2), std::max(0, (r.height() - sous->height()) / 2));
    }
  } else if (QScreen* ecran = QGuiApplication::primaryScreen()) {
    move(ecran->availableGeometry().center() - rect().center());
  }
}

void parametre::Command3_Click(int Index) {
  if (Index < 1 || Index > 2) return;
  const QString chemin = plateforme::choisit_fichier_a_ouvrir(
      texte(650), texte(215) + QStringLiteral(" INI (*.ini)|*.ini"), plateforme::chemin_appli(), QString());
  if (!chemin.isEmpty()) Text1[Index]->setText(chemin);
}

void parametre::voir_Click(int Index) {
  if (Index < 1 || Index > 2) return;
  const QString chemin = Text1[Index]->text();
  if (chemin.isEmpty()) return;
  if (QFileInfo(chemin).isFile())
    plateforme::ouvre_fichier_externe(chemin);  // a failure is ignored
  else
    plateforme::boite_erreur(texte(270));
}

void parametre::Command2_Click() {
  QString erreur;
  if (!charge_parametres_moteur(Text1[1]->text(), Text1[2]->text(), erreur)) {
    plateforme::boite_erreur(erreur);
    return;
  }
  plateforme::boite_message(texte(656), boite::EXCLAMATION);
  fenetres::decharge_plus_tard(this);
}

void parametre::Command1_Click() { fenetres::decharge_plus_tard(this); }

void menu_moteur_Click() {
  parametre* p = fenetres::existante<parametre>();
  if (!p) {
    p = &fenetres::instance<parametre>();
    fenetres::montre_enfant(p);
    p->Form_Load();
    return;
  }
  fenetres::montre_enfant(p);
}
