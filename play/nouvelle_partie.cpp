#include "play/nouvelle_partie.h"

#include <QAction>
#include <algorithm>
#include <QDateTime>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <stdexcept>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/poids.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/avis_etat.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/fichiers_texte.h"
#include "play/entete_partie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/plateau.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");

// The Elo label of a playing level; a level outside the table is an error.
QString elo(int niveau) {
  if (niveau < 0 || niveau > 4)
    throw std::out_of_range("Indice en dehors de la plage (niveau " + std::to_string(niveau) + ")");
  return table_elo[niveau];
}

// The system's date separator, read from its short date format.
QChar separateur_date() {
  for (QChar c : QLocale::system().dateFormat(QLocale::ShortFormat))
    if (!c.isLetter() && !c.isSpace()) return c;
  return QLatin1Char('/');
}

}  // namespace

bool nouvelle_partie_possible() {
  if (mode_jeux == 5) return static_cast<bool>(liens_jeu().montre_corres);
  const bool mode = mode_jeux == 1 || mode_jeux == 2 || mode_jeux == 4 ||
                    (mode_jeux == 3 && static_cast<bool>(liens_jeu().montre_connexion));
  return mode && plateau::existante() == nullptr && !machine_occupee();
}

std::string entete_machine(const QDate& jour) {
  const QLocale locale = QLocale::system();
  // A level outside the table is an error of the settings: it ends the command.
  elo(profondeur_max[1]);
  elo(profondeur_max[profil2_charge ? 2 : 1]);
  const JoueursPartie j = joueurs_partie(4);
  const QString sep = separateur_date();
  std::string e = ligne_tag("Event", QStringLiteral("Partie du ") + locale.toString(jour, QLocale::ShortFormat));
  e += ligne_tag("Site", lieu_jeu);
  e += ligne_tag("Date", jour.toString(QStringLiteral("dd")) + sep + jour.toString(QStringLiteral("MM")) + sep +
                             jour.toString(QStringLiteral("yyyy")));
  e += ligne_tag("White", j.blanc);
  e += ligne_tag("Black", j.noir);
  e += ligne_tag("WhiteElo", j.elo_blanc);
  e += ligne_tag("BlackElo", j.elo_noir);
  return e + "\r\n";
}

void menu_nouvelle_Click() {
  // Correspondence play starts from the manager of the correspondence games.
  if (mode_jeux == 5) {
    mode_saisie_corres = 2;
    if (liens_jeu().montre_corres) liens_jeu().montre_corres();
    return;
  }
  if (plateau::existante()) return;
  if (mode_jeux == 3 && !liens_jeu().montre_connexion) return;
  try {
    // 1. The start line of the game log.
    if (ges_log == 1) {
      const QDateTime maintenant = QDateTime::currentDateTime();
      const QLocale locale = QLocale::system();
      QString erreur;
      const QString ligne = QStringLiteral("->") + texte(28) + QStringLiteral(" - ") +
                            locale.toString(maintenant.date(), QLocale::ShortFormat) + QStringLiteral(" - ") +
                            locale.toString(maintenant.time(), QLocale::ShortFormat) + CRLF;
      if (!plateforme::ajoute_texte(plateforme::chemin_absolu(file_log), ligne, &erreur))
        throw std::runtime_error(erreur.toStdString());
    }
    // 2. The notation of the notation menu.
    if (liens_jeu().notation_choisie) style_notation = liens_jeu().notation_choisie();
    // 3.
    roque_interdit[BLANC] = 0;
    roque_interdit[NOIR] = 0;
    entete_pgn.clear();
    // 4. A network game starts from the connection dialog, which opens the
    // board window once this side listens or connects.
    if (mode_jeux == 3) {
      liens_jeu().montre_connexion();
      return;
    }
    // 5 and 6. The board window's load prepares the game.
    plateau* p = affiche_plateau();
    if (!p) return;
    p->Echiquier->Enabled(true);
    // 7. The comment window, at the top, right of the board window.
    const bool commente = commentaire_coche();
    if (commente) {
      montre_comment_a_droite_de(p);
      ajoute_ligne_commentaire(QStringLiteral("- ") + texte(28) + QStringLiteral(" -"), false);
      if (mode_jeux == 4) {
        entete_pgn = entete_machine(QDate::currentDate());
        ajoute_commentaire(QString::fromStdString(entete_pgn), false);
      }
      ajoute_commentaire(QString(), true);
    }
    // 8. The greeting.
    if (couleur_joueur == BLANC && mode_jeux != 4) {
      if (commente) {
        ajoute_ligne_commentaire(QStringLiteral("- ") + texte(152), false);
        ajoute_ligne_commentaire(QStringLiteral("- ") + texte(154), true);
        active_voir_coup(true);
      }
      joue_son(12);
    } else if (commente && mode_jeux != 4) {
      ajoute_ligne_commentaire(QStringLiteral("- ") + texte(153), true);
    }
    // 9.
    if (plateau::existante() == p) {
      fenetres::montre_enfant(p);
      p->setFocus();
    }
  } catch (const std::exception& e) {
    plateforme::boite_message(QString::fromUtf8(e.what()), boite::EXCLAMATION);
  }
}

