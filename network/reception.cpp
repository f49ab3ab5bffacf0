// What each message of the peer does on this side's board window.
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QGroupBox>
#include <QLabel>
#include <QTcpSocket>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "network/reseau.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/avis_etat.h"
#include "platform/boites.h"
#include "platform/minuterie.h"
#include "play/jeu.h"
#include "play/navigation.h"
#include "play/nulle_abandon.h"
#include "play/partie.h"
#include "play/plateau.h"

namespace reseau {

namespace {

const QString CRLF = QStringLiteral("\r\n");

// A short, printable excerpt of what the peer sent, for the log.
QString extrait(const QString& m) {
  QString e = m.left(40);
  for (QChar& c : e)
    if (!c.isPrint()) c = QLatin1Char('.');
  return e;
}

}  // namespace

void Reseau::traite(const QByteArray& octets, bool suite) {
  if (octets.isEmpty()) return;
  if (temoin_) return temoin_(octets, suite);
  const QString m = depuis_octets(octets);
  if (suite) {
    // The rest of a chat line shown after a pause goes on its line; a
    // move's late marks change nothing of the move played.
    if (chat_ouvert_ && phase_ == Phase::PARTIE && plateau_present()) {
      QPlainTextEdit* t = plateau_->Text1;
      t->moveCursor(QTextCursor::End);
      t->insertPlainText(m);
      t->ensureCursorVisible();
    } else {
      journal(QStringLiteral("late end of a message: %1").arg(extrait(m)));
    }
    return;
  }
  chat_ouvert_ = false;
  switch (octets[0]) {
    case '?':
      if (serveur_role_) return recoit_demande(m);
      break;
    case '@':
      if (!serveur_role_) return recoit_acceptation(m);
      break;
    case '-':
      if (!serveur_role_) return recoit_refus();
      break;
    case '#': return recoit_coup(m);
    case '>': return recoit_chat(m);
    case '/': return recoit_offre_nulle();
    case '!': return recoit_reponse_nulle(m);
    default: break;
  }
  journal(QStringLiteral("message ignored on this side: %1").arg(extrait(m)));
}

// --- Before the game ----------------------------------------------------------------

void Reseau::recoit_demande(const QString& message) {
  if (phase_ != Phase::DEMANDE || !plateau_present() || !socket_) {
    journal(QStringLiteral("game request ignored: %1").arg(extrait(message)));
    return;
  }
  delai_demande_->Interval(0);
  const QString pseudo = message.mid(1);
  change_phase(Phase::QUESTION);
  const int reponse = plateforme::boite_message(texte(327) + pseudo + QStringLiteral("' ?"), boite::OUI_NON);
  // The requester may have left, or the board gone, while the question was open.
  if (phase_ != Phase::QUESTION || !socket_) return;
  if (reponse != boite::OUI || !plateau_present()) {
    ecrit(message_refus());
    ferme_socket();
    change_phase(Phase::ATTENTE);
    return;
  }
  ecrit(message_acceptation(ip_nom_utilisateur));
  demarre_partie(pseudo);
}

void Reseau::recoit_acceptation(const QString& message) {
  if (phase_ != Phase::DEMANDE) {
    journal(QStringLiteral("acceptance ignored: %1").arg(extrait(message)));
    return;
  }
  demarre_partie(message.mid(1));
}

void Reseau::recoit_refus() {
  if (phase_ != Phase::DEMANDE) {
    journal(QStringLiteral("refusal ignored"));
    return;
  }
  change_phase(Phase::REFUSEE);
  ferme_socket();
  plateforme::boite_message(texte(322), boite::EXCLAMATION);
}

void Reseau::demarre_partie(const QString& pseudo) {
  pseudo_adverse_ = pseudo;
  decoupeur_.pseudo_adverse(pseudo);
  change_phase(Phase::PARTIE);
  if (!plateau_present()) return;
  plateau* p = plateau_;
  // 1. The caption.
  p->setWindowTitle(texte(320));
  // 2. The comment window, at the top, right of the board window.
  if (commentaire_coche()) {
    montre_comment_a_droite_de(p);
    ajoute_commentaire(texte(321) + pseudo + CRLF, false);
    ajoute_ligne_commentaire(texte(serveur_role_ ? 152 : 153), true);
  }
  // 3. The chat and the board.
  p->message->setEnabled(true);
  p->Echiquier->Enabled(true);
  // 4.
  joue_son(5);
  // 5. Both clocks from the game's time; White's runs.
  if (active_horloge == 1) {
    const int delai = secondes_heure(delai_partie);
    p->regle_horloge(true, delai < 0 ? 0 : delai);
    p->regle_horloge(false, delai < 0 ? 0 : delai);
    bascule_horloge(NOIR);
  }
  // 6. The game duration.
  p->duree_partie->setText(texte_heure(0));
  p->Timer5->Interval(1000);
}

// --- During the game ------------------------------------------------------------------

void Reseau::refuse_coup(const QString& texte_coup, int raison, const char* pour_journal) {
  journal(QStringLiteral("move refused (%1): %2").arg(QLatin1String(pour_journal), extrait(texte_coup)));
  // The peer's board has played it: the two boards no longer agree. A stray
  // Enter keeps the game: No is the default.
  const QString question = texte(720) + QLatin1Char(' ') + texte_coup + CRLF + texte(raison) + CRLF + CRLF +
                           texte(726) + CRLF + texte(727);
  const int reponse = plateforme::boite_message(question, boite::OUI_NON + boite::EXCLAMATION + boite::DEFAUT_2);
  if (reponse != boite::OUI || phase_ != Phase::PARTIE) return;
  // The game ends here: the connection goes, nothing more is told.
  ferme_ici_ = true;
  ferme_socket();
  arrete_partie_plateau();
  change_phase(Phase::FERMEE);
}

void Reseau::recoit_coup(const QString& message) {
  if (phase_ != Phase::PARTIE || !plateau_present()) {
    journal(QStringLiteral("move ignored outside a game: %1").arg(extrait(message)));
    return;
  }
  CoupRecu coup;
  QString erreur;
  if (!lit_coup(message, coup, &erreur)) {
    journal(erreur + QStringLiteral(": ") + extrait(message));
    return;
  }
  if (!partie_en_cours()) return refuse_coup(coup.texte, 725, "the game is over");
  // A piece the user holds goes back, and the board shows the game's
  // position again, before the move is judged on it.
  plateau_->remet_piece_levee();
  revient_position_courante(*plateau_);
  const int adverse = couleur_adverse(couleur_joueur);
  if (dernier_trait == adverse) return refuse_coup(coup.texte, 721, "not the opponent's turn");
  const int code = tab_echiquier(coup.col_s, coup.lig_s);
  if (couleur_piece(code) != adverse) return refuse_coup(coup.texte, 722, "no piece of the opponent there");
  if (!coup_legal(coup.col_s, coup.lig_s, coup.col_d, coup.lig_d))
    return refuse_coup(coup.texte, 723, "illegal by the rules");
  int promotion = 0;
  if (type_piece(code) == TYPE_PION && (coup.lig_d == 1 || coup.lig_d == 8)) {
    promotion = type_promotion(coup.promotion);
    if (promotion == 0) return refuse_coup(coup.texte, 724, "bad promotion letter");
  }
  CoupPartie c;
  c.source = SourceCoup::RESEAU;
  c.col_s = coup.col_s;
  c.lig_s = coup.lig_s;
  c.col_d = coup.col_d;
  c.lig_d = coup.lig_d;
  c.promotion = promotion;
  // The sender's own judgement of its move stays on its line.
  const QString texte_coup = coup.texte.trimmed();
  qsizetype marques = texte_coup.size();
  while (marques > 0 && (texte_coup[marques - 1] == QLatin1Char('!') || texte_coup[marques - 1] == QLatin1Char('?')))
    --marques;
  c.annotations = texte_coup.mid(marques).toStdString();
  joue_coup_partie(c);
  plateforme::signale_changement();
}

void Reseau::recoit_chat(const QString& message) {
  if (phase_ != Phase::PARTIE || !plateau_present()) {
    journal(QStringLiteral("chat line ignored outside a game: %1").arg(extrait(message)));
    return;
  }
  // Plain text: whatever the peer typed is shown as it stands.
  QPlainTextEdit* t = plateau_->Text1;
  t->appendPlainText(message.mid(1));
  chat_ouvert_ = true;
  t->moveCursor(QTextCursor::End);
  t->ensureCursorVisible();
}

void Reseau::recoit_offre_nulle() {
  if (!partie_active() || !plateau_present() || !partie_en_cours()) {
    journal(QStringLiteral("draw offer ignored outside a running game"));
    return;
  }
  plateau_->remet_piece_levee();
  const int reponse = plateforme::boite_message(texte(323), boite::OUI_NON);
  // The connection, the board or the game may have ended meanwhile.
  if (!partie_active() || !plateau_present() || !partie_en_cours()) return;
  if (reponse == boite::OUI) {
    ecrit(message_nul_accepte());
    conclut_nulle();
  } else {
    ecrit(message_nul_refuse());
  }
}

void Reseau::recoit_reponse_nulle(const QString& message) {
  const bool accepte = message == message_nul_accepte();
  if ((!accepte && message != message_nul_refuse()) || phase_ != Phase::PARTIE || !plateau_present()) {
    journal(QStringLiteral("draw answer ignored: %1").arg(extrait(message)));
    return;
  }
  if (nul_propose_) {
    nul_propose_ = false;
    if (accepte)
      conclut_nulle_adverse(324);
    else
      plateforme::boite_message(texte(325), boite::EXCLAMATION);
    return;
  }
  // Without an offer of ours, "!A" is the peer's claim of the repetition its
  // last move made: it counts only when that is so.
  bool reclame = false;
  if (accepte && partie_en_cours() && dernier_trait == couleur_adverse(couleur_joueur)) {
    revient_position_courante(*plateau_);
    reclame = position_repetee();
  }
  if (!reclame) {
    journal(QStringLiteral("draw answer ignored: %1").arg(extrait(message)));
    return;
  }
  conclut_nulle_adverse(729);
}

void Reseau::conclut_nulle_adverse(int texte_boite) {
  // Both boards end the game at the moment of the answer: the clocks stop
  // before the box, which may stay open a while.
  plateau_->remet_piece_levee();
  if (partie_en_cours()) arret_timers();
  plateforme::boite_message(texte(texte_boite), boite::EXCLAMATION);
  if (plateau_present() && partie_en_cours()) conclut_nulle();
}

}  // namespace reseau
