#include "correspondence/envoi_corres.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "chess/etat.h"
#include "correspondence/base_corres.h"
#include "correspondence/champs_corres.h"
#include "correspondence/corres.h"
#include "correspondence/message.h"
#include "correspondence/prepare.h"
#include "localisation/textes_langue.h"
#include "chess/messages.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
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
    if (erreur) *erreur = texte(876);
    return std::nullopt;
  }
  return coup_a_envoyer(partie->coups, partie->notation, partie->jai_blanc, texte_partie, erreur);
}

bool enregistre_envoi(const CoupEnvoye& envoi, QString* erreur) { return enregistre_envoi(cle_preparee(), envoi, erreur); }

bool enregistre_envoi(qint64 cle, const CoupEnvoye& envoi, QString* erreur) {
  const QDate jour = aujourdhui();
  try {
    if (!cle || !enregistre_coup_envoye(base_corres, cle, envoi.coups, envoi.coup, jour)) {
      if (erreur) *erreur = texte(876);
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

namespace {
void avertit(const QString& texte) {
  plateforme::boite_message(texte, boite::EXCLAMATION);
}
}  // namespace

std::optional<FicheCoup> fiche_coup_preparee() {
  const prepare* p = fenetres::existante<prepare>();
  const qint64 cle = p ? p->cle() : 0;
  std::optional<PartieCorres> partie;
  try {
    if (cle) partie = lit_partie(base_corres, cle);
  } catch (const plateforme::ErreurBase& e) {
    avertit(e.texte());
    return std::nullopt;
  }
  if (!partie) {
    avertit(texte(876));
    return std::nullopt;
  }
  QString erreur;
  const std::optional<CoupEnvoye> envoi =
      coup_a_envoyer(partie->coups, partie->notation, partie->jai_blanc, texte_partie, &erreur);
  if (!envoi) {
    avertit(erreur);
    return std::nullopt;
  }
  FicheCoup f;
  f.cle = static_cast<int>(cle);
  f.j_ai_les_blancs = partie->jai_blanc;
  f.ref_locale = reference(partie->cle);
  f.ref_distante = reference(partie->cle_adverse);
  f.blanc = partie->blanc;
  f.noir = partie->noir;
  f.mel_blanc = partie->mel_blanc;
  f.mel_noir = partie->mel_noir;
  f.date_debut = date_affichee(partie->debut);
  if (partie->debut.isValid())
    f.duree = QString::number(partie->debut.daysTo(partie->fin.isValid() ? partie->fin : aujourdhui()));
  f.dernier_envoye = partie->dernier_envoye;
  f.date_envoi = date_affichee(partie->date_envoi);
  f.dernier_recu = partie->dernier_recu;
  f.date_recu = date_affichee(partie->date_recu);
  f.coups = partie->coups.trimmed();
  f.resultat = partie->resultat;
  f.chaine_position = p->Text1->text();
  f.partie = envoi->coups;
  return f;
}

bool enregistre_coup_de_fiche(const FicheCoup& fiche) {
  // The game the mail was composed for, even if prepare has been closed
  // since; only when its stored moves are still those the mail quoted.
  QString erreur;
  try {
    const std::optional<PartieCorres> partie = lit_partie(base_corres, fiche.cle);
    if (!partie)
      erreur = texte(877).arg(reference(fiche.cle));
    else if (partie->coups.trimmed() != fiche.coups.trimmed())
      erreur = texte(878).arg(reference(fiche.cle));
  } catch (const plateforme::ErreurBase& e) {
    erreur = e.texte();
  }
  if (erreur.isEmpty() && enregistre_envoi(fiche.cle, CoupEnvoye{fiche.partie, dernier_coup(fiche.partie)}, &erreur))
    return true;
  avertit(erreur);
  return false;
}
