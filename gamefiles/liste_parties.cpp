#include "gamefiles/liste_parties.h"

#include <QHeaderView>
#include <QTreeView>

#include "play/modele_parties.h"
#include "play/plateau.h"

void vide_liste(plateau& p, const QString& chemin) { p.modele_parties->commence(chemin); }

void prepare_ligne(ModeleParties& modele, const pgn::PartieLue& partie) {
  static_assert(pgn::EVENT == 0 && pgn::SITE == 1 && pgn::DATE == 2 && pgn::ROUND == 3 && pgn::WHITE == 4 &&
                    pgn::BLACK == 5 && pgn::RESULT == 6 && ModeleParties::NB_TEXTES == 7,
                "the list's columns are the first tags of a game, in order");
  modele.prepare(partie.debut, partie.valeurs);
}

void ajoute_lignes(plateau& p) { p.modele_parties->publie(); }

QString fichier_liste(const plateau& p) { return p.modele_parties->fichier(); }

void marque_partie_chargee(plateau& p, std::int64_t debut) { p.modele_parties->marque_chargee(debut); }

void choisit_ligne(plateau& p, int ligne) { p.List2->setCurrentIndex(p.modele_parties->index(ligne, 0)); }

void List2_ColumnClick(plateau& p, int i) {
  if (i < 1 || i > 7) return;
  p.modele_parties->sort(i == 4 ? ModeleParties::COLONNE_CLE_RONDE : i - 1, Qt::AscendingOrder);
}

void branche_liste(plateau& p, std::function<void(plateau&)> charge) {
  QTreeView* l = p.List2;
  l->setSortingEnabled(false);
  l->header()->setSectionsClickable(true);
  QObject::connect(l->header(), &QHeaderView::sectionClicked, &p, [&p](int colonne) { List2_ColumnClick(p, colonne + 1); });
  QObject::connect(l, &QTreeView::doubleClicked, &p, [&p, charge](const QModelIndex& ligne) {
    if (!ligne.isValid()) return;
    p.List2->setCurrentIndex(ligne);
    if (charge) charge(p);
  });
}
