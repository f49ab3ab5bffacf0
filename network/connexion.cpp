#include "network/connexion.h"

#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <memory>
#include <stdexcept>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "network/reseau.h"
#include "platform/langue_messages.h"
#include "platform/boites.h"
#include "platform/reseau_local.h"
#include "play/jeu.h"
#include "play/plateau.h"

namespace {

// 150 twips above the middle of the screen, at 15 twips a pixel.
constexpr int AU_DESSUS_DU_CENTRE = 150 / 15;

using fenetres::controle;
using fenetres::etiquette;

// This side's colour, drawn at the bottom; the main window's colour marks
// follow it (the board window reads them when it loads).
void prend_couleur(int couleur) {
  couleur_joueur = couleur;
  if (liens_jeu().choisit_couleur) liens_jeu().choisit_couleur(couleur);
}

// The main window, over which the dialog stands (none in some tests).
QWidget* fenetre_principale() {
  QMdiArea* zone = fenetres::zone_enfants();
  return zone ? zone->window() : nullptr;
}

}  // namespace

int port_reseau(const QString& texte) {
  const QString t = texte.trimmed();
  if (t.isEmpty() || t.size() > 5) return 0;
  for (QChar c : t)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
  const int port = t.toInt();
  return port >= 1 && port <= 65535 ? port : 0;
}

void limite_saisie(QLineEdit* champ, int maximum, int texte_refus) {
  if (champ->maxLength() == maximum + 1) return;
  // Qt cuts silently what goes beyond maxLength: one character more lets a
  // text over the limit be seen here, and refused.
  champ->setMaxLength(maximum + 1);
  auto avant = std::make_shared<QString>(champ->text().left(maximum));
  QObject::connect(champ, &QLineEdit::textChanged, champ, [avant, maximum](const QString& t) {
    if (t.size() <= maximum) *avant = t;
  });
  QObject::connect(champ, &QLineEdit::textEdited, champ, [champ, avant, maximum, texte_refus](const QString& t) {
    if (t.size() <= maximum) return;
    champ->setText(*avant);
    // Told once the field's own edit is over.
    QMetaObject::invokeMethod(
        champ, [maximum, texte_refus] { plateforme::boite_message(texte(texte_refus).arg(maximum), boite::EXCLAMATION); },
        Qt::QueuedConnection);
  });
}

connexion::connexion() : QDialog(fenetre_principale()) {
  setObjectName(QStringLiteral("connexion"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("Connexion distante"));
  setFixedSize(430, 300);

  Frame1 = controle<QGroupBox>(this, QStringLiteral("Frame1"), 8, 8, 414, 240);
  Frame1->setTitle(QStringLiteral("&Paramètres de connexion"));
  for (int i = 0; i <= 1; ++i) {
    auto* o = controle<QRadioButton>(Frame1, QStringLiteral("Option1(%1)").arg(i), 12, i == 1 ? 24 : 48, 390, 22);
    Option1.append(o);
  }
  Label12 = etiquette(Frame1, QStringLiteral("Label12"), QStringLiteral("Adresse IP du serveur :"), 12, 82, 222, 22);
  Text1 = controle<QLineEdit>(Frame1, QStringLiteral("Text1"), 240, 80, 162, 24);
  Label11 = etiquette(Frame1, QStringLiteral("Label11"), QStringLiteral("Adresse du port TCP/IP :"), 12, 112, 222, 22);
  Text2 = controle<QLineEdit>(Frame1, QStringLiteral("Text2"), 240, 110, 80, 24);
  Label13 = etiquette(Frame1, QStringLiteral("Label13"), QStringLiteral("Nom utilisateur (pseudo) :"), 12, 142, 222, 22);
  Text3 = controle<QLineEdit>(Frame1, QStringLiteral("Text3"), 240, 140, 162, 24);
  limite_saisie(Text3, LONGUEUR_PSEUDO_MAX, 927);
  Label1 = etiquette(Frame1, QStringLiteral("Label1"), QString(), 12, 176, 390, 56);
  Label12->setBuddy(Text1);
  Label11->setBuddy(Text2);
  Label13->setBuddy(Text3);
  SSCommand2 = controle<QPushButton>(this, QStringLiteral("SSCommand2"), 196, 258, 110, 30);
  SSCommand2->setText(QStringLiteral("Se &connecter"));
  SSCommand2->setDefault(true);
  SSCommand1 = controle<QPushButton>(this, QStringLiteral("SSCommand1"), 312, 258, 110, 30);
  SSCommand1->setText(QStringLiteral("&Annuler"));
  connect(SSCommand1, &QPushButton::clicked, this, &connexion::SSCommand1_Click);
  connect(SSCommand2, &QPushButton::clicked, this, &connexion::SSCommand2_Click);
  Form_Load();
}

void connexion::Form_Load() {
  fenetres::centre_sur_ecran(this, AU_DESSUS_DU_CENTRE);
  affiche_libelles(this);
  setWindowTitle(texte(260));
  // The option of the current role; any other value selects neither.
  if (ip_mode_serveur == 0 || ip_mode_serveur == 1) Option1[ip_mode_serveur]->setChecked(true);
  Text1->setText(ip_adresse_host);
  Text2->setText(ip_num_port);
  Text3->setText(ip_nom_utilisateur);
}

void connexion::SSCommand1_Click() { fenetres::decharge_plus_tard(this); }

void connexion::SSCommand2_Click() {
  reseau::Reseau& r = reseau::Reseau::instance();
  try {
    // A nickname too long for the messages that carry it is refused before
    // anything changes (one set from elsewhere shows a character more than
    // the field takes).
    if (Text3->text().size() > LONGUEUR_PSEUDO_MAX)
      throw std::runtime_error(texte(927).arg(LONGUEUR_PSEUDO_MAX).toStdString());
    // 1 and 2. What was typed becomes the settings of the run.
    ip_adresse_host = Text1->text();
    ip_num_port = Text2->text();
    ip_nom_utilisateur = Text3->text();
    ip_mode_serveur = Option1[1]->isChecked() ? 1 : 0;
    const int port = port_reseau(ip_num_port);
    if (port == 0)
      throw std::runtime_error(texte(905).arg(ip_num_port).toStdString());
    if (ip_mode_serveur == 1) {
      // 3. This side listens and plays White.
      QString erreur;
      // Qt's words for the refusal after the program's.
      if (!r.ecoute(static_cast<quint16>(port), &erreur))
        throw std::runtime_error(plateforme::avec_detail(texte(906).arg(port), erreur).toStdString());
      prend_couleur(BLANC);
      plateau* p = affiche_plateau();
      if (!p) {
        r.ferme();
        return;
      }
      r.associe_plateau(p);
      p->setWindowTitle(p->windowTitle() + QStringLiteral(" - Mode serveur activé sur [") +
                        plateforme::adresse_ip_locale() + QStringLiteral("]... attente de réponse ..."));
    } else {
      // 4. This side connects and plays Black.
      prend_couleur(NOIR);
      plateau* p = affiche_plateau();
      if (!p) return;
      r.connecte(ip_adresse_host.trimmed(), static_cast<quint16>(port));
      r.associe_plateau(p);
      p->setWindowTitle(p->windowTitle() + QStringLiteral(" - Mode client activé ... attente de réponse du serveur..."));
    }
    // 5.
    fenetres::decharge_plus_tard(this);
  } catch (const std::exception& e) {
    plateforme::boite_message(QString::fromUtf8(e.what()), boite::EXCLAMATION, QStringLiteral("Attention"));
  }
}

void montre_connexion() {
  connexion& d = fenetres::instance<connexion>();
  d.show();
  d.raise();
  d.activateWindow();
}
