#include "correspondence/envoi_corres.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "chess/etat.h"
#include "correspondence/base_corres.h"
#include "correspondence/champs_corres.h"
#include "correspondence/corres.h"
#include "correspondence/prepare.h"
#include "platform/base_donnees.h"
#include "platform/fenetres.h"
#include "play/parametres.h"

namespace {
qint64 cle_preparee() {
  const prepare* p = fenetres::existante<prepare>();
  return p ? p->cle() : 0;
}
}  // namespace

std::optional<CoupEnvoye> coup_a_envoyer_prepare(QString* erreur) {
  const qint64 cle = cle_preparee();
  std::optional<PartieCorres> partie;
  try {
    if (cle) partie = lit_partie(base_corres, cle);
  } catch (const plateforme::ErreurBase& e) {
    if (erreur) *erreur = e.texte();
    return std::nullopt;
  }
  if (!partie) {
    if (erreur) *erreur = QStringLiteral("Aucune partie par correspondance n'est préparée.");
    return std::nullopt;
  }
  return coup_a_envoyer(partie->coups, partie->notation, partie->jai_blanc, texte_partie, erreur);
}

bool enregistre_envoi(const CoupEnvoye& envoi, QString* erreur) {
  const qint64 cle = cle_preparee();
  const QDate jour = aujourdhui();
  try {
    if (!cle || !enregistre_coup_envoye(base_corres, cle, envoi.coups, envoi.coup, jour)) {
      if (erreur) *erreur = QStringLiteral("Aucune partie par correspondance n'est préparée.");
      return false;
    }
  } catch (const plateforme::ErreurBase& e) {
    if (erreur) *erreur = e.texte();
    return false;
  }
  corres* c = fenetres::existante<corres>();
  if (c && c->Text5->text() == reference(cle)) {
    c->Text9->setPlainText(envoi.coups);
    c->Text8->setText(date_affichee(jour));
    c->Text13->setText(envoi.coup);
  }
  liste_parties_corres();
  return true;
}
