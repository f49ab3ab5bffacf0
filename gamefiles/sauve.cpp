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
#include <QVBoxLayout>
#include <algorithm>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "chess/messages.h"
#include "chess/poids.h"
#include "gamefiles/liste_xml.h"
#include "gamefiles/movetext_pgn.h"
#include "localisation/libelles.h"
#include "localisation/textes_langue.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fichiers_texte.h"
#include "play/jeu.h"

namespace {

template <class T>
T* nomme(T* w, const char* nom) {
  w->setObjectName(QString::fromLatin1(nom));
  return w;
}

QString titre_programme() { return QString::fromLatin1(NOM_PROGRAMME); }

// The Elo of a profile's playing level ("level 4 has none": no text).
QString elo_profil(int profil) {
  const int niveau = std::clamp(profondeur_max[std::clamp(profil, 0, NB_PROFILS - 1)], 0, 4);
  QString e = table_elo[niveau];
  e.remove(QChar(0));
  return e;
}

std::string ligne_tag(const char* nom, const QString& valeur) {
  QString v = valeur;
  v.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
  return std::string("[") + nom + " \"" + v.toStdString() + "\"]\r\n";
}

// The text's lines with CRLF ends, as the files hold them.
QString avec_crlf(const QString& texte) {
  QString t = texte;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

// What goes before a game added to a PGN file so that an empty line
// separates it from the file's last game.
QString separation_pgn(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly) || f.size() == 0 || !f.seek(std::max<qint64>(0, f.size() - 4))) return {};
  QByteArray fin = f.readAll();
  fin.replace("\r\n", "\n");
  fin.replace('\r', '\n');
  if (fin.endsWith("\n\n")) return {};
  return fin.endsWith('\n') ? QStringLiteral("\r\n") : QStringLiteral("\r\n\r\n");
}

bool ajoute_xml(const QString& chemin, const QString& partie, QString* erreur) {
  QString avant;
  if (!plateforme::lit_texte(chemin, avant, erreur)) return false;
  const qsizetype fin = avant.lastIndexOf(QStringLiteral("</LIST>"));
  if (fin < 0) {
    if (erreur)
      *erreur = QStringLiteral("Le fichier %1 n'est pas une liste de parties XML : la partie n'y a pas été ajoutée.")
                    .arg(chemin);
    return false;
  }
  return plateforme::ecrit_texte(chemin, avant.left(fin) + partie + avant.mid(fin), erreur);
}

}  // namespace

std::string entete_construite() {
  const int p = profil_moteur;
  QString blanc, noir, elo_blanc, elo_noir;
  if (mode_jeux == 4) {
    blanc = nom_moteur[1];
    noir = profil2_charge ? nom_moteur[2] : nom_moteur[1];
    elo_blanc = elo_profil(1);
    elo_noir = elo_profil(profil2_charge ? 2 : 1);
  } else if (couleur_joueur == BLANC) {
    blanc = nom_joueur[std::clamp(p, 0, 2)];
    noir = nom_moteur[1];
    elo_blanc = elo_profil(p);
    elo_noir = QString::number(niveau_elo[1]);
  } else {
    blanc = nom_moteur[1];
    noir = nom_joueur[std::clamp(p, 0, 2)];
    elo_blanc = QString::number(niveau_elo[1]);
    elo_noir = elo_profil(p);
  }
  return ligne_tag("Event", texte(28)) + ligne_tag("Site", lieu_jeu) +
         ligne_tag("Date", QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"))) +
         ligne_tag("Round", QStringLiteral("1")) + ligne_tag("White", blanc) + ligne_tag("Black", noir) +
         ligne_tag("WhiteElo", elo_blanc) + ligne_tag("BlackElo", elo_noir) +
         ligne_tag("Result", QString::fromStdString(resultat_partie)) + ligne_tag("ECO", eco_courant) +
         ligne_tag("Opening", ouverture_courante) + ligne_tag("Variation", QStringLiteral("a modifier")) + "\r\n";
}

bool ecrit_partie(const QString& chemin, const QString& texte, bool xml, bool ajoute, QString* erreur) {
  const bool existe = QFileInfo(chemin).isFile();
  if (!xml) {
    const QString t = avec_crlf(texte) + QStringLiteral("\r\n");
    if (ajoute && existe) return plateforme::ajoute_texte(chemin, separation_pgn(chemin) + t, erreur);
    return plateforme::ecrit_texte(chemin, t, erreur);
  }
  // The tags as edited; the movetext of the game in hand, whatever the text holds.
  const std::string coups = texte_partie.empty() ? resultat_partie : texte_partie + " " + resultat_partie;
  const QString partie = pgn::en_latin1(pgn::partie_xml(texte.toStdString(), coups));
  if (ajoute && existe) return ajoute_xml(chemin, partie, erreur);
  return plateforme::ecrit_texte(
      chemin, pgn::en_latin1(pgn::debut_liste_xml(QDateTime::currentDateTime())) + partie + pgn::fin_liste_xml(),
      erreur);
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
  // Printing the game from here is not part of the program.
  Command3->setEnabled(false);
  Command2 = nomme(new QPushButton(QStringLiteral("&Annuler"), this), "Command2");
  bas->addWidget(Command1);
  bas->addWidget(Command3);
  bas->addWidget(Command2);
  principal->addLayout(bas);

  connect(Command1, &QPushButton::clicked, this, &sauve::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &sauve::Command2_Click);
  Form_Load();
}

void sauve::Form_Load() {
  affiche_libelles(this);
  const std::string entete = entete_pgn.empty() ? entete_construite() : entete_pgn;
  const std::string& coups = sauve_abrege == 1 ? texte_partie : texte_partie_longue;
  const std::string avec_commentaires = insere_commentaires(coups);
  const std::string partie = avec_commentaires.empty() ? resultat_partie : avec_commentaires + " " + resultat_partie;
  QString t = QString::fromStdString(entete + partie);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Text1->setPlainText(t);
}

void sauve::Command1_Click() {
  const bool xml = Option1[2]->isChecked();
  const QString jour = QDate::currentDate().toString(QStringLiteral("ddMMyy"));
  const QString chemin = plateforme::choisit_fichier_a_sauver(
      texte(214), texte(215) + (xml ? QStringLiteral(" XML (*.xml)|*.xml") : QStringLiteral(" PGN (*.pgn)|*.pgn")),
      plateforme::chemin_appli(), QStringLiteral("Morva") + jour + (xml ? QStringLiteral(".xml") : QStringLiteral(".pgn")));
  if (chemin.isEmpty()) return;
  const bool ajoute = Check1->isChecked();
  if (!ajoute && QFileInfo::exists(chemin) &&
      plateforme::boite_message(chemin + texte(216), boite::OUI_NON | boite::QUESTION, titre_programme()) != boite::OUI)
    return;
  QString erreur;
  if (!ecrit_partie(chemin, Text1->toPlainText(), xml, ajoute, &erreur)) {
    plateforme::boite_message(erreur, boite::EXCLAMATION, titre_programme());
    return;
  }
  if (liens_jeu().fichier_recent) liens_jeu().fichier_recent(chemin);
  plateforme::boite_message(texte(217) + chemin, boite::INFORMATION, titre_programme());
  fenetres::decharge_plus_tard(this);
}

void sauve::Command2_Click() { fenetres::decharge_plus_tard(this); }

void affiche_sauve() {
  // The text is built when the form loads: a form left open shows the game it was opened on.
  if (sauve* f = fenetres::existante<sauve>()) fenetres::decharge(f);
  fenetres::montre_enfant(&fenetres::instance<sauve>());
}
