#include "correspondence/chargement_corres.h"

#include <QListWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QCheckBox>
#include <QTreeWidget>

#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "correspondence/base_corres.h"
#include "correspondence/champs_corres.h"
#include "correspondence/corres.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "play/commandes_partie.h"
#include "play/jeu.h"
#include "play/modele_parties.h"
#include "play/plateau.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");

QString etiquette(const char* tag, const QString& valeur) {
  return QStringLiteral("[") + QLatin1String(tag) + QStringLiteral(" \"") + valeur + QStringLiteral("\"]") + CRLF;
}

bool resultat_decide(const QString& r) {
  return r == QLatin1String("1-0") || r == QLatin1String("0-1") || r == QLatin1String("1/2-1/2");
}

}  // namespace

void charge_partie_corres(corres& c, bool entete) {
  // 1. The user's colour at the bottom, the colour menu marked to match.
  const int couleur = c.Check2->isChecked() ? BLANC : NOIR;
  couleur_joueur = couleur;
  if (liens_jeu().choisit_couleur) liens_jeu().choisit_couleur(couleur);
  // 2. The board window (loaded once; the game it holds is replaced).
  plateau* p = affiche_plateau();
  if (!p) return;
  p->Echiquier->Enabled(true);
  const QString numero =
      texte(409) + QStringLiteral(" N° ") + c.Text5->text() + QStringLiteral("/") + c.Text17->text();
  // 3. The comment window, emptied.
  const bool commente = commentaire_coche();
  if (commente) montre_comment_a_droite_de(p)->Text1->clear();
  // 4. The board window's list of file games.
  p->modele_parties->vide();
  // 5. The tag lines.
  QString tags = etiquette("Event", QStringLiteral("PC/") + c.Text5->text() + QStringLiteral("/") + c.Text17->text());
  tags += etiquette("Site", QStringLiteral("REMOTE"));
  const std::optional<QDate> debut = date_saisie(c.MaskEdBox3->text());
  tags += etiquette("Date", debut ? debut->toString(QStringLiteral("yyyy.MM.dd")) : QStringLiteral("????.??.??"));
  tags += etiquette("White", c.Text2->text());
  tags += etiquette("Black", c.Text3->text());
  tags += etiquette("WhiteElo", c.Text7->text());
  tags += etiquette("BlackElo", c.Text6->text());
  tags += CRLF;
  // 6. The comment window shows the game's number (and its tags).
  if (commente) ajoute_commentaire(numero + CRLF + (entete ? tags : QString()), true);
  // 7. The title.
  p->setWindowTitle(numero);
  // 8. The game's letters.
  const int style = c.notation();
  if (liens_jeu().choisit_notation)
    liens_jeu().choisit_notation(style);
  else
    style_notation = style;
  // 9 and 10. The stored moves, with the result only when the game is decided:
  // a running game's "*" would stay in the game record before the next move.
  const QString resultat = c.Text12->text().trimmed();
  const bool fini = resultat_decide(resultat);
  texte_partie = c.Text9->toPlainText().simplified().toStdString();
  if (fini) texte_partie += " " + resultat.toStdString();
  texte_partie_longue.clear();
  resultat_partie = "*";
  entete_pgn = tags.toStdString();
  // 11. The replay.
  // The remote player makes the other side's moves, whatever the mode.
  rejoue_partie({}, SuiteRejeu::AUCUNE);
  p->setWindowTitle(numero);
  // 12. The last move selected.
  const int n = p->List1->count();
  if (n > 0) p->List1->setCurrentRow(fini ? n - 2 : n - 1);
}
