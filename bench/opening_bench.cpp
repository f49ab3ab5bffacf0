// Opening-base lookup latency: the opening name after a move (mode 1) and the
// book move (best line and random line), on the shipped base and on a base
// grown to a million lines. One line per case:
//   case=<lookup>/<position> rows=<lines in the base> median_us=<median>
// Run from the build folder (the shipped base is base/eco.db beside it).
#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/messages.h"
#include "chess/outils.h"
#include "chess/regles.h"
#include "bench/aide_bench.h"
#include "openings/base_eco.h"
#include "openings/cherche_ouverture.h"
#include "openings/coup_bibliotheque.h"
#include "openings/hasard.h"
#include "openings/liens_ouvertures.h"
#include "openings/ligne_eco.h"
#include "openings/reglages_ouvertures.h"

namespace {

struct Position {
  const char* nom;
  const char* coups;
};

const Position POSITIONS[] = {
    {"start", ""},
    {"after_1e4", "1.e4"},
    {"ruy_lopez_move6", "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6"},
    {"queens_gambit_move10", "1.d4 d5 2.c4 e6 3.Nc3 Nf6 4.Bg5 Be7 5.e3 O-O"},
    {"off_book", "1.e4 e5 2.Ke2 Ke7 3.Ke1 Ke8"},
};

template <class F>
double mediane_us(F&& travail) {
  std::vector<double> mesures;
  QElapsedTimer total;
  total.start();
  while (mesures.size() < 25 || (mesures.size() < 2000 && total.elapsed() < 1500)) {
    QElapsedTimer t;
    t.start();
    travail();
    mesures.push_back(t.nsecsElapsed() / 1000.0);
  }
  std::sort(mesures.begin(), mesures.end());
  return mesures[mesures.size() / 2];
}

void mesure_base(int lignes) {
  for (const Position& p : POSITIONS) {
    reinitialise_etat_jeu();
    texte_partie = movetext_de_ligne(p.coups);
    const int couleur = dernier_trait == BLANC ? NOIR : BLANC;

    const double nom = mediane_us([&] { cherche_ouverture(1, texte_partie); });
    std::printf("case=mode1/%s rows=%d median_us=%.1f\n", p.nom, lignes, nom);

    int cs, ls, cd, ld;
    std::string marques;
    float note;
    ouverture_aleatoire[1] = 0;
    const double meilleur =
        mediane_us([&] { coup_bibliotheque(couleur, texte_partie, cs, ls, cd, ld, marques, note); });
    std::printf("case=book/%s rows=%d median_us=%.1f\n", p.nom, lignes, meilleur);
    ouverture_aleatoire[1] = 1;
    const double hasard =
        mediane_us([&] { coup_bibliotheque(couleur, texte_partie, cs, ls, cd, ld, marques, note); });
    std::printf("case=book_random/%s rows=%d median_us=%.1f\n", p.nom, lignes, hasard);
    std::fflush(stdout);
  }
}

// A line of the shipped base cut after a random number of moves and
// continued with random legal moves, as a base grown from played games holds.
QString ligne_inventee(const std::vector<std::string>& livrees, std::mt19937& g) {
  std::istringstream flux(livrees[g() % livrees.size()]);
  std::vector<std::string> jetons;
  for (std::string j; flux >> j;)
    if (j != "*") jetons.push_back(j);
  jetons.resize(1 + g() % jetons.size());
  std::string debut;
  for (const auto& j : jetons) debut += (debut.empty() ? "" : " ") + j;
  reinitialise_etat_jeu();
  std::string texte = movetext_de_ligne(debut);
  const int ajouts = 1 + static_cast<int>(g() % 6);
  for (int a = 0; a < ajouts; ++a) {
    const int couleur = dernier_trait == BLANC ? NOIR : BLANC;
    bool joue = false;
    for (int essai = 0; essai < 400 && !joue; ++essai) {
      const int cs = 1 + g() % 8, ls = 1 + g() % 8, cd = 1 + g() % 8, ld = 1 + g() % 8;
      if (couleur_piece(tab_echiquier(cs, ls)) != couleur || !coup_legal(cs, ls, cd, ld)) continue;
      if (couleur == BLANC) ++numero_coup;
      texte = rogne(texte + joue_coup(cs, ls, cd, ld, 0).texte_court);
      joue = true;
    }
    if (!joue) break;
  }
  return QString::fromStdString(texte + " *");
}

// Grows the open base to `cible` lines, drawn from a pool of made-up lines;
// one line in a thousand is a learned line with a rating.
void agrandit(int cible) {
  std::vector<std::string> livrees;
  for (auto rs = db_eco.requete(QStringLiteral("SELECT Eco_coup FROM ECO")); !rs.fin(); rs.suivant())
    livrees.push_back(rs.texte(QStringLiteral("Eco_coup")).toStdString());
  std::mt19937 g(12345);
  std::vector<QString> reserve;
  while (reserve.size() < 60000) reserve.push_back(ligne_inventee(livrees, g));

  int n = db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt();
  QSqlDatabase db = QSqlDatabase::database(db_eco.nom_connexion());
  db.transaction();
  QSqlQuery q(db);
  q.prepare(QStringLiteral(
      "INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup, Eco_connaissance, Eco_note) VALUES (?, ?, ?, ?, ?)"));
  while (n < cible) {
    const bool appris = g() % 1000 == 0;
    q.addBindValue(QStringLiteral("%1%2").arg(QChar(static_cast<char16_t>(u'A' + g() % 5))).arg(g() % 100, 2, 10, QLatin1Char('0')));
    q.addBindValue(QStringLiteral("Ligne %1").arg(n));
    q.addBindValue(reserve[g() % reserve.size()]);
    q.addBindValue(appris ? 1 : 0);
    q.addBindValue(appris ? QVariant(static_cast<double>(g() % 2001) - 1000.0) : QVariant());
    q.exec();
    ++n;
  }
  db.commit();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dossier;
  const QString copie = bench::copie_base_livree(dossier, "opening_bench");
  if (copie.isEmpty()) return 1;

  auto& liens = liens_ouvertures();
  liens.affiche_commentaire = [] { return false; };
  liens.pointeur_piece = [](int) {};
  liens.profil_moteur = [] { return 1; };
  active_base_con[1] = 1;
  initialise_hasard(1);

  // A book move that cannot be read shows a message in the program; here it is counted.
  int messages = 0;
  installe_afficheur_erreur([&](const std::string&, const std::string&) { ++messages; });

  ouvre_base_eco(copie);
  mesure_base(db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt());
  agrandit(1000000);
  mesure_base(db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt());
  db_eco.ferme();
  if (messages > 0) std::printf("messages=%d\n", messages);
  return 0;
}
