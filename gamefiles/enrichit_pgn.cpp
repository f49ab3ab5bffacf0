#include "gamefiles/enrichit_pgn.h"

#include <QDir>
#include <stdexcept>

#include "gamefiles/lecture_pgn.h"
#include "gamefiles/movetext_pgn.h"
#include "openings/base_eco.h"
#include "openings/enrichissement.h"
#include "openings/liens_ouvertures.h"
#include "openings/ligne_eco.h"
#include "platform/boites.h"
#include "platform/evenements.h"

namespace {

constexpr int TEXTE_STOCKEE_DEBUT = 109;
constexpr int TEXTE_STOCKEE_FIN = 110;
constexpr int TEXTE_CONFIRME = 118;
constexpr int TEXTE_TITRE = 214;
constexpr int TEXTE_FICHIERS = 215;
constexpr int TEXTE_PARTIES = 248;
constexpr int TEXTE_CHARGEMENT = 258;

// Games committed together.
constexpr int PARTIES_PAR_LOT = 256;

}  // namespace

BilanEnrichissement enrichit_base_depuis_pgn(
    const QString& chemin,
    const std::function<void(const BilanEnrichissement&, std::int64_t, std::int64_t)>& apres_lot) {
  BilanEnrichissement bilan;
  pgn::FichierPgn fichier;
  QString erreur;
  if (!fichier.ouvre(chemin, &erreur))
    // The reader's refusal already names the file and the cause.
    throw std::runtime_error(erreur.toStdString());
  pgn::LecteurPgn lecteur(fichier);
  pgn::PartieLue partie;
  AjoutPrefixes ajout;
  arret_demande = false;
  bool fin = false;
  while (!fin) {
    db_eco.transaction([&] {
      for (int k = 0; k < PARTIES_PAR_LOT; ++k) {
        if (!lecteur.partie_suivante(partie, true)) {
          fin = true;
          break;
        }
        ++bilan.parties;
        if (!partie.valeur_tag("FEN").empty()) continue;
        // The game's own code: a game without the tag has none.
        const QString code = partie.valeurs[pgn::ECO].trimmed().toUpper();
        const pgn::MovetextLu m = pgn::lit_movetext(partie.movetext);
        if (m.noir_d_abord) continue;
        bilan.lignes += ajout.ajoute(code, prefixes_de_coups(m.coups, DEMI_COUPS_APPRIS));
      }
    });
    if (apres_lot) apres_lot(bilan, fichier.position(), fichier.taille());
    if (arret_demande && !fin) {
      bilan.arrete = true;
      break;
    }
  }
  return bilan;
}

void enrichit_depuis_fichier_pgn() {
  const QString chemin = fichier_travail_base(
      false, texte_ouvertures(TEXTE_TITRE), texte_ouvertures(TEXTE_FICHIERS) + QStringLiteral(" PGN (*.pgn)|*.pgn"));
  if (chemin.isEmpty()) return;
  const QString natif = QDir::toNativeSeparators(chemin);
  if (plateforme::boite_message(texte_ouvertures(TEXTE_CONFIRME) + natif, boite::OUI_NON) != boite::OUI) return;
  GardeBase garde;
  FenetreProgression* patience = progression_ouvertures();
  if (patience) patience->montre(texte_ouvertures(TEXTE_CHARGEMENT) + natif + QStringLiteral(" ..."));
  BilanEnrichissement bilan;
  try {
    bilan = enrichit_base_depuis_pgn(chemin, [&](const BilanEnrichissement& b, std::int64_t lu, std::int64_t taille) {
      if (patience) {
        patience->definit_libelle(QStringLiteral("%1/%2 ").arg(b.lignes).arg(b.parties) +
                                  texte_ouvertures(TEXTE_PARTIES));
        patience->progression(taille > 0 ? 100.0 / static_cast<double>(taille) * static_cast<double>(lu) : 100.0);
      }
      plateforme::laisse_passer();
    });
  } catch (const std::exception& e) {
    if (patience) patience->ferme();
    signale_erreur_base(e);
    return;
  }
  if (patience) patience->ferme();
  plateforme::boite_erreur(texte_ouvertures(TEXTE_STOCKEE_DEBUT) + QLatin1Char('+') + QString::number(bilan.lignes) +
                           texte_ouvertures(TEXTE_STOCKEE_FIN));
}
