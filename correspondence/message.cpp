#include "correspondence/message.h"

#include "correspondence/coups_corres.h"

#include <QDate>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/messages.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "platform/courriel.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fenetres.h"
#include "play/controles_partie.h"
#include "play/parametres.h"
#include "play/position_presse_papiers.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString TIRETS = QStringLiteral("-------------------------------------");

QString programme() { return QString::fromLatin1(NOM_PROGRAMME); }

void avertit(const QString& texte_message) {
  plateforme::boite_message(texte_message, boite::EXCLAMATION);
}

// The main window, over which the window stands (none in some tests).
QWidget* fenetre_principale() {
  QMdiArea* zone = fenetres::zone_enfants();
  return zone ? zone->window() : nullptr;
}

// The text without the blanks and tabs around it; a line break stays, so
// that the address check sees it.
QString sans_blancs_autour(const QString& t) {
  qsizetype debut = 0, fin = t.size();
  auto blanc = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
  while (debut < fin && blanc(t[debut])) ++debut;
  while (fin > debut && blanc(t[fin - 1])) --fin;
  return t.mid(debut, fin - debut);
}

}  // namespace

LiensMessage& liens_message() {
  static LiensMessage liens;
  return liens;
}

QString sujet_coup(const FicheCoup& f) {
  return programme() + QStringLiteral(" - ") + texte(440) + QLatin1Char(' ') + f.ref_distante + QLatin1Char('/') +
         f.ref_locale + texte(498);
}

QString destinataire_coup(const FicheCoup& f) { return f.j_ai_les_blancs ? f.mel_noir : f.mel_blanc; }

QString diagramme_courriel(const QString& chaine, int style) {
  const int lettres = style == 1 ? 1 : 2;
  const QByteArray octets = chaine.toLatin1();
  QString grille;
  for (int ligne = 1; ligne <= 8; ++ligne) {
    for (int colonne = 1; colonne <= 8; ++colonne) {
      const int k = (colonne - 1) * 8 + ligne - 1;
      const int code = k < octets.size() ? static_cast<unsigned char>(octets[k]) - 32 : 0;
      grille += QLatin1Char(lettre_piece(lettres, code));
      grille += QLatin1Char(' ');
    }
    grille += CRLF;
  }
  return grille;
}

QString corps_coup(const FicheCoup& f, const QString& date_envoi, const QString& partie) {
  QStringList l;
  l << texte(490) << texte(409) + QStringLiteral(" :") << QString() << texte(485) + date_envoi
    << texte(486) + f.ref_locale << texte(487) + f.ref_distante << texte(238) + QLatin1Char(' ') + f.blanc
    << texte(239) + QLatin1Char(' ') + f.noir << texte(416) + QStringLiteral(" : ") + f.date_debut
    << texte(417) + QStringLiteral(" : ") + f.duree + QLatin1Char(' ') + texte(425) << TIRETS << texte(488)
    << texte(427) + QLatin1Char(' ') + f.dernier_envoye << texte(468) + f.date_envoi
    << texte(428) + QLatin1Char(' ') + f.dernier_recu << texte(469) + f.date_recu << texte(489) + f.coups << TIRETS
    << texte(491) + dernier_coup(partie) << texte(492) + partie + QLatin1Char(' ') + f.resultat << texte(493);
  QString corps = l.join(CRLF) + CRLF;
  corps += diagramme_courriel(f.chaine_position, style_notation);
  l.clear();
  l << QString() << TIRETS << texte(494) + f.chaine_position.trimmed() << texte(496) << TIRETS << QString()
    << QString() << texte(495) << QString()
    << texte(497) + QStringLiteral("%1.%2.%3)").arg(VERSION_MAJEURE).arg(VERSION_MINEURE).arg(VERSION_REVISION);
  return corps + l.join(CRLF) + CRLF;
}

message::message() : QDialog(fenetre_principale()) {
  setObjectName(QStringLiteral("message"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("Envoyer un message"));

  Label3 = new QLabel(QStringLiteral("&A :"), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  txtTo = new QLineEdit(this);
  txtTo->setObjectName(QStringLiteral("txtTo"));
  Label3->setBuddy(txtTo);
  Label5 = new QLabel(QStringLiteral("&Sujet :"), this);
  Label5->setObjectName(QStringLiteral("Label5"));
  txtsubject = new QLineEdit(this);
  txtsubject->setObjectName(QStringLiteral("txtsubject"));
  Label5->setBuddy(txtsubject);
  txtNoteText = new QPlainTextEdit(this);
  txtNoteText->setObjectName(QStringLiteral("txtNoteText"));
  // The diagram's columns line up only in a fixed-width font.
  QFont fixe(QStringLiteral("Monospace"));
  fixe.setStyleHint(QFont::TypeWriter);
  txtNoteText->setFont(fixe);
  txtNoteText->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtfic = new QLabel(QStringLiteral("(Aucun fichier joint)"), this);
  txtfic->setObjectName(QStringLiteral("txtfic"));
  Send = new QPushButton(QStringLiteral("&Envoyer"), this);
  Send->setObjectName(QStringLiteral("Send"));
  Attach = new QPushButton(QStringLiteral("&Pièce jointe"), this);
  Attach->setObjectName(QStringLiteral("Attach"));
  Command1 = new QPushButton(QStringLiteral("&Annuler"), this);
  Command1->setObjectName(QStringLiteral("Command1"));

  auto* champs = new QGridLayout;
  champs->addWidget(Label3, 0, 0);
  champs->addWidget(txtTo, 0, 1);
  champs->addWidget(Label5, 1, 0);
  champs->addWidget(txtsubject, 1, 1);
  auto* boutons = new QHBoxLayout;
  boutons->addWidget(Send);
  boutons->addWidget(Attach);
  boutons->addWidget(txtfic, 1);
  boutons->addWidget(Command1);
  auto* disposition = new QVBoxLayout(this);
  disposition->addLayout(champs);
  disposition->addWidget(txtNoteText, 1);
  disposition->addLayout(boutons);
  resize(620, 560);

  connect(Send, &QPushButton::clicked, this, &message::Send_Click);
  connect(Attach, &QPushButton::clicked, this, &message::Attach_Click);
  connect(Command1, &QPushButton::clicked, this, &message::Command1_Click);
}

message::~message() { fenetres::retire(this); }

bool message::Form_Load() {
  affiche_libelles(this);
  fenetres::centre_sur_ecran(this);
  mode_ = message_mode;

  // Without a mail transport nothing can be sent: the window does not open.
  const QString sans_transport = plateforme::defaut_transport();
  if (!sans_transport.isEmpty()) {
    avertit(sans_transport);
    return false;
  }

  try {
    if (mode_ == 1) {
      fiche_ = liens_message().fiche_coup ? liens_message().fiche_coup() : std::nullopt;
      if (!fiche_) return false;
      // The position mailed is the one pasted, taken as the paste command
      // takes a position string; its diagram is drawn from the same text.
      TableauCases cases;
      QString refus;
      if (!lit_chaine_position(fiche_->chaine_position, cases, &refus)) {
        avertit(refus.isEmpty() ? texte(499) : refus);
        return false;
      }
      fiche_->chaine_position = fiche_->chaine_position.trimmed();
      txtTo->setText(destinataire_coup(*fiche_));
      txtsubject->setText(sujet_coup(*fiche_));
      const QString aujourdhui = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
      const QString partie = fiche_->partie.isEmpty() ? QString::fromStdString(texte_partie) : fiche_->partie;
      txtNoteText->setPlainText(corps_coup(*fiche_, aujourdhui, partie));
    } else if (mode_ == 2) {
      txtsubject->setText(programme() + QStringLiteral(" - F.E.N. Format"));
      const ControlesPartie controles = controles_jeu();
      if (controles.echiquier) {
        const mvdechiquier::Echiquier& e = *controles.echiquier;
        const std::string fen = ecrit_fen([&e](int c, int l) { return e.Piece(c, l); });
        txtNoteText->setPlainText(QString::fromLatin1(fen.data(), static_cast<int>(fen.size())) + CRLF);
      }
    }
  } catch (const std::exception& e) {
    // A field that cannot be read leaves its part of the mail empty.
    qWarning("message: %s", e.what());
  }
  return true;
}

void message::Attach_Click() {
  const QString filtre = texte(481) + QStringLiteral("(*.*)|*.*|") + texte(482) + QStringLiteral("(*.txt)|*.txt");
  const QString chemin = plateforme::choisit_fichier_a_ouvrir(texte(479), filtre);
  if (chemin.isEmpty()) return;
  const QFileInfo info(chemin);
  if (!info.isFile() || !info.isReadable()) {
    avertit(texte(879).arg(chemin));
    return;
  }
  pieces_.append(info.absoluteFilePath());
  txtfic->setText(texte(483) + info.absoluteFilePath());
}

void message::Send_Click() {
  const QString destinataire = sans_blancs_autour(txtTo->text());
  if (destinataire.isEmpty()) return;
  plateforme::Courriel courriel;
  courriel.expediteur = sans_blancs_autour(adresse_mel);
  courriel.destinataire = destinataire;
  courriel.sujet = txtsubject->text();
  courriel.corps = txtNoteText->toPlainText();
  courriel.pieces_jointes = pieces_;

  // The fields are checked before anything leaves; the window stays open
  // for the user to mend them.
  if (courriel.expediteur.isEmpty()) {
    avertit(texte(880));
    return;
  }
  for (const QString& raison : {plateforme::defaut_adresse(courriel.expediteur),
                                plateforme::defaut_adresse(courriel.destinataire),
                                plateforme::defaut_sujet(courriel.sujet)})
    if (!raison.isEmpty()) {
      avertit(raison);
      return;
    }

  QString raison;
  if (!plateforme::envoie_courriel(courriel, &raison)) {
    // Nothing was sent: nothing is recorded, the user may try again.
    avertit(raison);
    return;
  }

  // Only a move mail changes the game; a blank mail or a position says
  // nothing of the game's moves.
  // The mail has gone: the window closes even when its move could not be
  // recorded (the user has been told why), so that it is never sent twice.
  if (mode_ == 1 && fiche_ && liens_message().enregistre_coup_envoye &&
      liens_message().enregistre_coup_envoye(*fiche_))
    avertit(texte(484));
  fenetres::decharge_plus_tard(this);
}

void message::Command1_Click() { fenetres::decharge_plus_tard(this); }

void montre_message() {
  if (message* ouverte = fenetres::existante<message>()) {
    ouverte->show();
    ouverte->raise();
    ouverte->activateWindow();
    return;
  }
  message& m = fenetres::instance<message>();
  // Composing may show a box: the window is shown once it is whole.
  const bool ouverte = [&m] {
    try {
      return m.Form_Load();
    } catch (...) {
      return false;
    }
  }();
  if (!ouverte) {
    fenetres::decharge(&m);
    return;
  }
  m.show();
  m.raise();
  m.activateWindow();
}
