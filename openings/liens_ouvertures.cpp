#include "openings/liens_ouvertures.h"

#include <QLabel>

#include "localisation/textes_langue.h"
#include "play/boite_image.h"
#include "play/patience.h"

namespace {

// The program's progress window, as the lookups use it.
class ProgressionPatience : public FenetreProgression {
 public:
  void montre(const QString& titre) override {
    patience& p = patience::instance();
    p.setWindowTitle(titre);
    p.show();
  }
  void definit_libelle(const QString& texte) override { patience::instance().Label1->setText(texte); }
  void progression(double pourcentage) override { affiche_progression(*patience::instance().Picture1, pourcentage); }
  void ferme() override { patience::decharge(); }
};

}  // namespace

LiensOuvertures& liens_ouvertures() {
  static LiensOuvertures liens;
  return liens;
}

bool commentaire_coche() {
  const auto& l = liens_ouvertures();
  return l.affiche_commentaire && l.affiche_commentaire();
}

QString texte_ouvertures(int numero) {
  const auto& l = liens_ouvertures();
  return l.texte ? l.texte(numero) : texte(numero);
}

FenetreProgression* progression_ouvertures() {
  const auto& l = liens_ouvertures();
  if (l.patience) return l.patience();
  static ProgressionPatience fenetre;
  return &fenetre;
}

int profil_en_vigueur() {
  const auto& l = liens_ouvertures();
  const int p = l.profil_moteur ? l.profil_moteur() : 1;
  return p == 2 ? 2 : 1;
}
