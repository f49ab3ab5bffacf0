#include "gamefiles/sauve.h"

#include <QCheckBox>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringDecoder>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "chess/messages.h"
#include "chess/poids.h"
#include "gamefiles/export_pgn.h"
#include "gamefiles/liste_xml.h"
#include "gamefiles/lecture_pgn.h"
#include "gamefiles/movetext_pgn.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fichiers_texte.h"
#include "play/entete_partie.h"
#include "play/impression.h"
#include "play/jeu.h"

namespace {

using fenetres::nomme;

// The result token of the game in hand ("*" while it goes on).
std::string resultat_du_jeu() { return pgn::est_resultat(resultat_partie) ? resultat_partie : std::string("*"); }

// The bytes of a text added to a file's bytes `avant`: in the encoding the
// file has (UTF-8 when it is UTF-8, else Windows-1252), the whole file going
// over to UTF-8 when the text holds a character Windows-1252 lacks.
QByteArray suite_de(const QByteArray& avant, const QString& texte) {
  QString ancien;
  const bool ascii = std::all_of(avant.begin(), avant.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return avant + plateforme::encode_texte(texte);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  ancien = utf8.decode(avant);
  if (!utf8.hasError()) return avant + texte.toUtf8();
  if (plateforme::tient_en_1252(texte)) return avant + plateforme::encode_1252(texte);
  return (plateforme::decode_1252(avant) + texte).toUtf8();
}

// A game added to a PGN file: the file's games, its blank lines at the end
// cut, one line end and one empty line, then the game; written as a new file
// renamed over the old one.
bool ajoute_pgn(const QString& chemin, const QString& partie, QString* erreur) {
  QByteArray avant;
  if (!plateforme::lit_octets(chemin, avant, erreur)) return false;
  qsizetype fin = avant.size();
  while (fin > 0 && (avant[fin - 1] == '\r' || avant[fin - 1] == '\n' || avant[fin - 1] == ' ' || avant[fin - 1] == '\t'))
    --fin;
  avant.truncate(fin);
  if (!avant.isEmpty()) avant += "\r\n\r\n";
  return plateforme::remplace_fichier(chemin, suite_de(avant, partie), erreur);
}

bool ajoute_xml(const QString& chemin, const QString& partie, QString* erreur) {
  QByteArray avant;
  if (!plateforme::lit_octets(chemin, avant, erreur)) return false;
  if (!pgn::ajoute_a_liste_xml(avant, partie, erreur)) return false;
  return plateforme::remplace_fichier(chemin, avant, erreur);
}

}  // namespace

std::string entete_sauvegarde() {
  const std::string entete =
      entete_pgn.empty()
          ? entete_construite(texte(28), QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")))
          : entete_pgn;
  return pgn::entete_export(pgn::tags_du_texte(avec_position_depart(entete)), resultat_du_jeu());
}

std::string partie_a_sauver(const QString& texte) { return pgn::partie_export(texte.toStdString(), resultat_du_jeu()); }

bool ecrit_partie(const QString& chemin, const QString& texte, bool xml, bool ajoute, QString* erreur) {
  const bool existe = plateforme::est_fichier(chemin);
  if (!xml) {
    const QString t = QString::fromStdString(partie_a_sauver(texte));
    if (ajoute && existe) return ajoute_pgn(chemin, t, erreur);
    return plateforme::ecrit_texte(chemin, t, erreur);
  }
  // The tags as edited; the moves of the game in hand, whatever the text holds.
  const std::string t = texte.toStdString();
  const auto tags = pgn::tags_du_texte(t);
  const std::string entete = pgn::entete_export(tags, resultat_du_jeu());
  pgn::MovetextLu m = pgn::lit_movetext(texte_partie);
  const std::string coups = pgn::movetext_export(m, pgn::fen_des_tags(tags), resultat_du_jeu(), false, true);
  const QString partie = pgn::partie_xml(entete, coups);
  if (ajoute && existe) return ajoute_xml(chemin, partie, erreur);
  return plateforme::remplace_fichier(chemin, pgn::octets_liste_xml(partie, QDateTime::currentDateTime()), erreur);
}

sauve::sauve() {
  setObjectName(QStringLiteral("sauve"));
  setWindowTitle(QStringLiteral("Sauvegarder la partie en cours"));
  auto* principal = new QVBoxLayout(this);
  Text1 = nomme(new QPlainTextEdit(this), "Text1");
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  principal->addWidget(Text1, 1);

  auto* bas = new QHBoxLayout;
  Frame1 = nomme(new QGroupBox(QStringLiteral("&Format"), this), "Frame1");
  auto* cadre = new QHBoxLayout(Frame1);
  Option1 = {nullptr, nomme(new QRadioButton(QStringLiteral("&PGN"), Frame1), "Option1(1)"),
             nomme(new QRadioButton(QStringLiteral("&XML"), Frame1), "Option1(2)")};
  cadre->addWidget(Option1[1]);
  cadre->addWidget(Option1[2]);
  Option1[1]->setChecked(true);
  bas->addWidget(Frame1);
  Check1 = nomme(new QCheckBox(QStringLiteral("A&jouter à la fin du fichier (si existant)"), this), "Check1");
  bas->addWidget(Check1);
  bas->addStretch(1);
  Command1 = nomme(new QPushButton(QStringLiteral("&Sauvegarder"), this), "Command1");
  Command1->setToolTip(QStringLiteral("Sauvegarder la partie"));
  Command3 = nomme(new QPushButton(QStringLiteral("&Imprimer"), this), "Command3");
  Command3->setToolTip(QStringLiteral("Imprimer la partie en cours"));
  Command2 = nomme(new QPushButton(QStringLiteral("&Annuler"), this), "Command2");
  bas->addWidget(Command1);
  bas->addWidget(Command3);
  bas->addWidget(Command2);
  principal->addLayout(bas);

  connect(Command1, &QPushButton::clicked, this, &sauve::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &sauve::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &sauve::Command3_Click);
  Form_Load();
}

void sauve::Form_Load() {
  affiche_libelles(this);
  // The game as it will be written: the moves in standard notation, whatever
  // notation the move list shows (a PGN file holds no other).
  const std::string partie = entete_sauvegarde() + insere_commentaires(texte_partie);
  QString t = QString::fromStdString(partie_a_sauver(QString::fromStdString(partie)));
  while (t.endsWith(QStringLiteral("\r\n"))) t.chop(2);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Text1->setPlainText(t);
}

void sauve::Command1_Click() {
  const bool xml = Option1[2]->isChecked();
  const bool ajoute = Check1->isChecked();
  const QString jour = QDate::currentDate().toString(QStringLiteral("ddMMyy"));
  // The form asks its own question before replacing a file, and none when it
  // adds to one: the dialog asks nothing.
  const QString chemin = plateforme::choisit_fichier_a_sauver(
      texte(214), texte(215) + (xml ? QStringLiteral(" XML (*.xml)|*.xml") : QStringLiteral(" PGN (*.pgn)|*.pgn")),
      plateforme::chemin_appli(), QStringLiteral("Morva") + jour + (xml ? QStringLiteral(".xml") : QStringLiteral(".pgn")),
      false);
  if (chemin.isEmpty()) return;
  if (!ajoute && QFileInfo::exists(chemin) &&
      plateforme::boite_message(chemin + texte(216), boite::OUI_NON | boite::QUESTION) != boite::OUI)
    return;
  QString erreur;
  if (!ecrit_partie(chemin, Text1->toPlainText(), xml, ajoute, &erreur)) {
    plateforme::boite_message(erreur, boite::EXCLAMATION);
    return;
  }
  // The recent files reopen as PGN: an XML list has no place there.
  if (!xml && liens_jeu().fichier_recent) liens_jeu().fichier_recent(chemin);
  plateforme::boite_message(texte(217) + chemin, boite::INFORMATION);
  fenetres::decharge_plus_tard(this);
}

void sauve::Command2_Click() { fenetres::decharge_plus_tard(this); }

void sauve::Command3_Click() {
  int format = 0;  // the PGN tag lines and movetext
  imprime_partie(format);
}

void affiche_sauve() {
  // The text is built when the form loads: a form left open shows the game it was opened on.
  if (sauve* f = fenetres::existante<sauve>()) fenetres::decharge(f);
  fenetres::montre_enfant(&fenetres::instance<sauve>());
}
