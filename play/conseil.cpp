#include "play/conseil.h"

#include <QProgressBar>
#include <QPushButton>
#include <string>

#include "boardcontrol/echiquier.h"
#include "chess/attaques.h"
#include "chess/etat.h"
#include "chess/messages.h"
#include "chess/outils.h"
#include "chess/recherche.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "platform/boites.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/patience.h"
#include "play/plateau.h"

namespace {

// The board control as the circle scan reaches it.
class SurfaceControle : public SurfaceEchiquier {
 public:
  explicit SurfaceControle(mvdechiquier::Echiquier& e) : e_(e) {}
  int piece(int colonne, int ligne) const override { return e_.Piece(colonne, ligne); }
  void trace_cercle(int colonne, int ligne, long couleur, double delta, int style, int largeur) override {
    e_.trace_cercle(static_cast<float>(colonne), static_cast<float>(ligne), static_cast<std::int32_t>(couleur),
                    static_cast<float>(delta), static_cast<std::uint8_t>(style), static_cast<std::uint8_t>(largeur));
  }

 private:
  mvdechiquier::Echiquier& e_;
};

constexpr std::int32_t JAUNE = 65535;

// numero_coup raised for a White search, put back whatever happens.
class NumeroProvisoire {
 public:
  explicit NumeroProvisoire(bool blanc) : blanc_(blanc) {
    if (blanc_) ++numero_coup;
  }
  ~NumeroProvisoire() {
    if (blanc_) --numero_coup;
  }

 private:
  bool blanc_;
};

}  // namespace

void Command3_Click(plateau& p) {
  if (machine_occupee() || etat_clic == 99) return;
  mvdechiquier::Echiquier& e = *p.Echiquier;
  e.clear_all();
  const int couleur = dernier_trait == BLANC ? NOIR : BLANC;
  int cs = 0, ls = 0, cd = 0, ld = 0;
  float note = -999999.0f;
  std::string coup;
  {
    NumeroProvisoire numero(couleur == BLANC);
    sablier(1);
    reinitialise_recherche();
    p.visu_prof->setValue(0);
    try {
      const GardeMachine garde;
      coup = choix_coup_machine(cs, ls, cd, ld, couleur, note, 1);
    } catch (...) {
      sablier(0);
      throw;
    }
    sablier(0);
    // Stopped (the window closes, the program ends): no hint to show.
    if (recherche_arretee()) return;

    const bool coup_trouve = cs >= 1 && cs <= 8 && ls >= 1 && ls <= 8 && cd >= 1 && cd <= 8 && ld >= 1 && ld <= 8;
    if (coup_trouve) {
      e.trace_ligne(static_cast<float>(val_nombre(cs)), static_cast<float>(val_nombre(ls)),
                    static_cast<float>(val_nombre(cd)), static_cast<float>(val_nombre(ld)), JAUNE, 0.5f, 1, 2);
      e.trace_cercle(static_cast<float>(cd), static_cast<float>(ld), JAUNE, 0.5f, 1, 2);
    }
    SurfaceControle surface(e);
    entoure_pieces(couleur_adverse(dernier_trait), surface);
    const QString nombre = (note >= 0 ? QStringLiteral(" ") : QString()) + QString::fromStdString(texte_nombre(note));
    plateforme::boite_message(texte(333) + QString::fromStdString(coup) + texte(334) + nombre + QStringLiteral(")"),
                              boite::INFORMATION);
  }
  e.clear_all();
}
