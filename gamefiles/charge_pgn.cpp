#include "gamefiles/charge_pgn.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <optional>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/messages.h"
#include "gamefiles/charge.h"
#include "gamefiles/liste_parties.h"
#include "gamefiles/movetext_pgn.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/boites.h"
#include "platform/evenements.h"
#include "platform/fichiers_texte.h"
#include "play/commandes_partie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/patience.h"
#include "play/position_presse_papiers.h"
#include "play/modele_parties.h"
#include "play/plateau.h"
#include "platform/minuterie.h"

namespace pgn {

BilanLecture liste_parties(FichierPgn& fichier, const CriteresFiltre* criteres, long limite,
                           const std::function<void(const PartieLue&)>& garde,
                           const std::function<bool(const BilanLecture&, std::int64_t)>& entre_deux) {
  BilanLecture bilan;
  LecteurPgn lecteur(fichier);
  PartieLue partie;
  plateforme::Cadence cadence;
  const bool filtre = criteres && !criteres->vide();
  while (bilan.gardees < limite) {
    if (cadence.pause_due()) {
      if (entre_deux && !entre_deux(bilan, fichier.position())) {
        bilan.arretee = true;
        return bilan;
      }
    }
    if (!lecteur.partie_suivante(partie, false)) break;
    ++bilan.lues;
    if (filtre && !passe_filtre(partie, *criteres)) continue;
    ++bilan.gardees;
    if (garde) garde(partie);
  }
  if (bilan.gardees >= limite && fichier.position() < fichier.taille()) bilan.arretee = true;
  if (entre_deux) entre_deux(bilan, fichier.position());
  return bilan;
}

namespace {

// The position a game starts from: its FEN tag, unless SetUp says "0".
std::string fen_de(const PartieLue& p) {
  const std::string fen = p.valeur_tag("FEN");
  if (fen.empty()) return {};
  const std::string setup = p.valeur_tag("SetUp");
  return setup == "0" ? std::string() : fen;
}

// Whether the start position of a game (its [FEN] tag unless [SetUp "0"],
// the usual start without one) is one lit_fen takes; else shows why (text
// 700: game `numero`, its players, the fault and the FEN) and returns false.
bool position_de_depart_lisible(const PartieLue& p, long numero, const QString& titre) {
  const std::string fen = fen_de(p);
  if (fen.empty()) return true;
  DefautPosition defaut = DefautPosition::AUCUN;
  if (lit_fen(fen, BLANC, &defaut)) return true;
  plateforme::boite_message(texte(700)
                                .arg(numero)
                                .arg(p.valeurs[WHITE], p.valeurs[BLACK], texte_defaut_position(defaut),
                                     QString::fromStdString(fen)),
                            boite::EXCLAMATION, titre);
  return false;
}

}  // namespace

bool charge_partie(const PartieLue& p, long numero, const QString& titre, const QString& note) {
  // A start position that no game can reach refuses the game: the game in
  // hand stays as it was.
  if (!position_de_depart_lisible(p, numero, titre)) return false;
  // English letters, as a PGN movetext holds them; the main window sets its marks.
  if (liens_jeu().notation_pgn)
    liens_jeu().notation_pgn();
  else
    style_notation = 2;

  entete_pgn.clear();
  for (const std::string& l : p.lignes_tags) entete_pgn += l + "\r\n";
  if (!entete_pgn.empty()) entete_pgn += "\r\n";
  if (comment* c = commentaire_coche() ? fenetre_comment_chargee() : nullptr)
    c->Text1->setPlainText(QString::fromStdString(entete_pgn));

  const std::string fen = fen_de(p);
  const MovetextLu m = extrait_commentaires(p.movetext);
  const std::string coups = movetext_programme(m, fen);
  texte_partie_longue.clear();
  // A movetext the file cut short before its result token: the game ended
  // all the same when its tags say how.
  const std::string tag_resultat = p.valeur_tag("Result");
  resultat_partie = !m.resultat.empty() ? m.resultat : est_resultat(tag_resultat) ? tag_resultat : "*";

  QString message = QString::fromStdString(entete_pgn + coups + " " + resultat_partie);
  if (!note.isEmpty()) message += QStringLiteral("\r\n\r\n") + note;
  plateforme::boite_message(message, boite::INFORMATION, titre);
  // The replay reads the result too (the move list's last line); the game in
  // hand keeps the moves alone, as live play and the opening lookup read them.
  texte_partie = coups.empty() ? resultat_partie : coups + " " + resultat_partie;
  rejoue_partie(fen);
  texte_partie = coups;
  return true;
}

}  // namespace pgn

// --- The reading with its windows -------------------------------------------------

namespace {

bool en_cours = false;

// The games of the last document read elsewhere, while the game list shows them.
struct Document {
  QString origine, titre;
  std::vector<pgn::PartieLue> parties;
};
Document document;

QString note_document(std::size_t choisie, std::size_t nombre) {
  return texte(890).arg(choisie + 1).arg(nombre);
}

struct Demande {
  int mode;
  QString chemin;
};
std::optional<Demande> demande_suivante;

// Watches the board window while a file is read: closing it ends the reading.
class GardePlateau : public QObject {
 public:
  explicit GardePlateau(plateau* p) : p_(p) {
    if (p) p->installEventFilter(this);
  }
  ~GardePlateau() override {
    if (p_) p_->removeEventFilter(this);
  }
  bool present() const { return p_ && !ferme_; }
  plateau* fenetre() const { return present() ? p_.data() : nullptr; }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Close) ferme_ = true;
    return false;
  }

 private:
  QPointer<plateau> p_;
  bool ferme_ = false;
};

QString nombre(long n) { return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n); }

void montre_bilan(plateau* p, const pgn::BilanLecture& b) {
  if (p) p->panneau(1)->setText(nombre(b.gardees) + texte(218) + nombre(b.lues));
}

// The comment window beside the board window, emptied, then the file named.
void prepare_commentaire(plateau& p, const QString& chemin) {
  if (!commentaire_coche()) return;
  comment* c = montre_comment_a_droite_de(&p);
  c->Text1->setPlainText(texte(28) + QStringLiteral(" {") + chemin + QStringLiteral("} :\n"));
}

// Mode 99: the game of the list's selected line, from the list's own file.
void charge_depuis_liste(plateau& p) {
  const ModeleParties& modele = *p.modele_parties;
  const QModelIndex courante = p.List2->currentIndex();
  const QString chemin = modele.fichier();
  if (!courante.isValid() || chemin.isEmpty()) return;
  const int ligne = courante.row();
  const std::int64_t debut = modele.debut(ligne);
  if (!document.parties.empty() && chemin == document.origine) {
    // A game of a document read elsewhere, held since: its offset is its index.
    if (debut < 0 || debut >= static_cast<std::int64_t>(document.parties.size())) return;
    if (pgn::charge_partie(document.parties[static_cast<std::size_t>(debut)], static_cast<long>(debut) + 1,
                           document.titre, note_document(static_cast<std::size_t>(debut), document.parties.size())))
      marque_partie_chargee(p, debut);
    return;
  }
  if (!plateforme::est_fichier(chemin)) {
    plateforme::boite_message(texte(219), boite::OK_SEUL);
    return;
  }
  pgn::FichierPgn f;
  QString erreur;
  if (!f.ouvre(chemin, &erreur)) {
    plateforme::boite_erreur(erreur);
    return;
  }
  pgn::LecteurPgn lecteur(f);
  pgn::PartieLue partie;
  bool trouvee = f.positionne(debut) && lecteur.partie_suivante(partie, true) && partie.debut == debut;
  // The same game as listed: the file has not moved it.
  for (int i = 0; i < ModeleParties::NB_TEXTES && trouvee; ++i)
    trouvee = modele.valeur(ligne, i) == partie.valeurs[i].left(ModeleParties::LONGUEUR_MAX);
  f.ferme();
  if (!trouvee) {
    plateforme::boite_message(texte(891).arg(chemin), boite::EXCLAMATION);
    return;
  }
  // The game is named by its line in the list.
  if (pgn::charge_partie(partie, ligne + 1)) marque_partie_chargee(p, debut);
}

void lit_fichier(int mode, const QString& chemin) {
  arret_demande = false;
  plateau* fenetre = affiche_plateau();
  if (!fenetre) return;
  GardePlateau garde(fenetre);
  prepare_commentaire(*fenetre, chemin);
  vide_liste(*fenetre, chemin);

  pgn::FichierPgn f;
  QString erreur;
  if (!f.ouvre(chemin, &erreur)) {
    plateforme::boite_erreur(erreur);
    return;
  }
  patience& progression = patience::instance();
  progression.setWindowTitle(texte(258) + chemin + QStringLiteral(" ..."));
  progression.show();
  const double taille = static_cast<double>(std::max<std::int64_t>(f.taille(), 1));

  const pgn::CriteresFiltre criteres = criteres_reglages();
  const long limite = mode == 0 ? 1 : pgn::limite_liste(max_seuil_partie);
  std::optional<std::int64_t> premiere;
  // The games found go to the list together, at each pause of the reading.
  auto verse = [&] {
    if (plateau* p = garde.fenetre()) ajoute_lignes(*p);
  };
  auto entre_deux = [&](const pgn::BilanLecture& b, std::int64_t position) {
    verse();
    if (patience* w = patience::existante()) {
      w->Label1->setText(nombre(b.gardees) + QStringLiteral("/") + nombre(b.lues) + texte(248));
      affiche_progression(*w->Picture1, 100.0 / taille * static_cast<double>(position));
    }
    plateforme::laisse_passer();
    return garde.present() && !arret_demande && !demande_suivante;
  };
  auto ajoute = [&](const pgn::PartieLue& partie) {
    if (plateau* p = garde.fenetre()) prepare_ligne(*p->modele_parties, partie);
    if (!premiere) premiere = partie.debut;
  };
  const pgn::BilanLecture bilan = pgn::liste_parties(f, mode == 0 ? nullptr : &criteres, limite, ajoute, entre_deux);
  verse();
  patience::decharge();
  plateau* p = garde.fenetre();
  montre_bilan(p, bilan);
  if (mode != 0 || !p || !premiere) return;

  // Mode 0: the game found is loaded at once.
  pgn::LecteurPgn lecteur(f);
  pgn::PartieLue partie;
  if (!f.positionne(*premiere) || !lecteur.partie_suivante(partie, true)) return;
  f.ferme();
  if (p->modele_parties->rowCount() > 0) choisit_ligne(*p, 0);
  if (pgn::charge_partie(partie, 1) && p->modele_parties->rowCount() > 0) marque_partie_chargee(*p, partie.debut);
}

}  // namespace

bool lecture_pgn_en_cours() { return en_cours; }

void charge_pgn(int mode, const QString& chemin) {
  if (machine_occupee()) return;
  if (en_cours) {
    // The reading under way ends first; this one follows.
    demande_suivante = Demande{mode, chemin};
    arret_demande = true;
    return;
  }
  if (plateau* p = plateau::existante()) p->Timer5->Interval(0);
  if (mode == 99) {
    if (plateau* p = plateau::existante()) charge_depuis_liste(*p);
    return;
  }
  if (!plateforme::est_fichier(chemin)) {
    plateforme::boite_erreur(texte(270));
    return;
  }
  en_cours = true;
  try {
    lit_fichier(mode, chemin);
  } catch (...) {
    en_cours = false;
    patience::decharge();
    throw;
  }
  en_cours = false;
  if (demande_suivante) {
    const Demande d = *demande_suivante;
    demande_suivante.reset();
    QTimer::singleShot(0, [d] { charge_pgn(d.mode, d.chemin); });
  }
}

void branche_liste_parties(plateau& p) {
  branche_liste(p, [](plateau&) { charge_pgn(99, QString()); });
}

void charge_partie_externe(const pgn::PartieLue& partie, const QString& origine, const QString& titre) {
  charge_parties_externes({partie}, 0, origine, titre);
}

void charge_parties_externes(const std::vector<pgn::PartieLue>& parties, std::size_t choisie, const QString& origine,
                             const QString& titre) {
  if (machine_occupee() || en_cours || choisie >= parties.size()) return;
  plateau* p = affiche_plateau();
  if (!p) return;
  prepare_commentaire(*p, origine);
  document = Document{};
  if (parties.size() < 2) {
    vide_liste(*p, QString());
    pgn::charge_partie(parties[choisie], static_cast<long>(choisie) + 1, titre);
    return;
  }
  document = Document{origine, titre, parties};
  vide_liste(*p, origine);
  for (std::size_t i = 0; i < parties.size(); ++i) {
    document.parties[i].debut = static_cast<std::int64_t>(i);
    prepare_ligne(*p->modele_parties, document.parties[i]);
  }
  ajoute_lignes(*p);
  choisit_ligne(*p, static_cast<int>(choisie));
  if (pgn::charge_partie(document.parties[choisie], static_cast<long>(choisie) + 1, titre,
                         note_document(choisie, parties.size())))
    marque_partie_chargee(*p, static_cast<std::int64_t>(choisie));
}
