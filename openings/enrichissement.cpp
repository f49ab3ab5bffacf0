#include "openings/enrichissement.h"

#include <QRegularExpression>
#include <stdexcept>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/outils.h"
#include "openings/base_eco.h"
#include "openings/liens_ouvertures.h"
#include "openings/ligne_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"

namespace {

constexpr int TEXTE_DEJA_PRESENTE = 105;
constexpr int TEXTE_CONFIRME_DEBUT = 106;
constexpr int TEXTE_CONFIRME_FIN = 107;
constexpr int TEXTE_NOTE = 108;
constexpr int TEXTE_STOCKEE_DEBUT = 109;
constexpr int TEXTE_STOCKEE_FIN = 110;
constexpr int TEXTE_BASE_INACTIVE = 111;

}  // namespace

std::optional<double> lit_note(const QString& saisie) {
  static const QRegularExpression nombre(QStringLiteral("^[+-]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)$"));
  QString t = saisie.trimmed();
  if (!nombre.match(t).hasMatch()) return std::nullopt;
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double v = t.toDouble(&ok);
  if (!ok || v < -1000.0 || v > 1000.0) return std::nullopt;
  return v;
}

void enrichit_partie_en_cours(float note_proposee) {
  try {
    if (active_base_con[profil_en_vigueur()] != 1 || rogne(texte_partie).empty()) {
      plateforme::boite_erreur(texte_ouvertures(TEXTE_BASE_INACTIVE));
      return;
    }
    // The moves as the program writes them after playing them from the start;
    // a game begun from a position of its own has no moves from there.
    std::string coups;
    if (partie_du_debut()) {
      try {
        PositionGardee garde;
        couleur_joueur = BLANC;
        coups = movetext_de_ligne(texte_partie);
      } catch (const std::runtime_error&) {
        coups.clear();
      }
    }
    if (coups.empty()) {
      plateforme::boite_erreur(texte_ouvertures(850));
      return;
    }
    const QString resultat = resultat_partie.empty() ? QStringLiteral("*") : QString::fromStdString(resultat_partie);
    const QString partie = QString::fromStdString(coups) + QLatin1Char(' ') + resultat;

    // The same learned line, as it is stored (its result included).
    if (db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO WHERE Eco_coup = ? AND Eco_connaissance = 1"), {partie})
            .toInt() > 0) {
      plateforme::boite_erreur(texte_ouvertures(TEXTE_DEJA_PRESENTE));
      return;
    }
    if (plateforme::boite_message(
            texte_ouvertures(TEXTE_CONFIRME_DEBUT) + partie + texte_ouvertures(TEXTE_CONFIRME_FIN), boite::OUI_NON) !=
        boite::OUI)
      return;
    std::optional<double> note;
    const QString proposee = QString::fromStdString(texte_nombre(note_proposee));
    while (!note) {
      const QString saisie = plateforme::boite_saisie(texte_ouvertures(TEXTE_NOTE), QString(), proposee);
      if (saisie.isEmpty()) return;  // cancelled
      note = lit_note(saisie);
    }
    db_eco.ajoute(QStringLiteral("ECO"), {{QStringLiteral("Eco_code"), eco_courant},
                                          {QStringLiteral("Eco_libelle"), ouverture_courante},
                                          {QStringLiteral("Eco_coup"), partie},
                                          {QStringLiteral("Eco_connaissance"), 1},
                                          {QStringLiteral("Eco_note"), static_cast<double>(static_cast<float>(*note))}});
    plateforme::boite_erreur(texte_ouvertures(TEXTE_STOCKEE_DEBUT) + partie + texte_ouvertures(TEXTE_STOCKEE_FIN));
  } catch (const std::exception& e) {
    signale_erreur_base(e);
  }
}

AjoutPrefixes::AjoutPrefixes()
    : cherche_(db_eco.instruction(QStringLiteral("SELECT 1 FROM ECO WHERE Eco_coup = ? LIMIT 1"))),
      ajout_(db_eco.instruction(
          QStringLiteral("INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup, Eco_connaissance) VALUES (?, ?, ?, 0)"))) {}

int AjoutPrefixes::ajoute(const QString& code, const std::vector<std::string>& prefixes) {
  int ajoutees = 0;
  for (const std::string& p : prefixes) {
    const QString ligne = QString::fromStdString(p) + QStringLiteral(" *");
    if (vues_.contains(ligne)) continue;
    vues_.insert(ligne);
    if (cherche_.valeur({ligne}).isValid()) continue;
    ajout_.execute({code, code, ligne});
    ++ajoutees;
  }
  return ajoutees;
}
