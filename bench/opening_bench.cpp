// Opening-base lookup latency: the opening name after a move (mode 1) and the
// book move (best line and random line), on the shipped base and on bases of
// 100,000 and 1,000,000 lines made two ways:
//   built=at_once  the lines inserted in one go, drawn from made-up lines
//                  (a shipped line cut short and played on at random);
//   built=grown    a user's base grown step by step from PGN files of played
//                  games, through the program's enrichment (the first six
//                  moves of each game become lines).
// One line per base, lookup and position:
//   case=<lookup>/<position> rows=N built=B median_us=... p99_us=... worst_us=... runs=N load=... target_us<1000 met=yes|no
// (and the processor time's median and worst, which a loaded machine does
// not stretch), then the number of cases that miss the target.
//   bench_opening_bench [largest base, 1000000] [grown bases too, 1]
// Run from the build folder (the shipped base is base/eco.db beside it).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <time.h>

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
#include "bench/genere_pgn.h"
#include "gamefiles/enrichit_pgn.h"
#include "openings/base_eco.h"
#include "openings/cherche_ouverture.h"
#include "openings/coup_bibliotheque.h"
#include "openings/hasard.h"
#include "openings/liens_ouvertures.h"
#include "openings/ligne_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"

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

// The processor time of this thread, in microseconds: unlike the time on the
// clock, it does not count the slices other programs of a loaded machine take.
double cpu_us() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// Timings of `travail` in microseconds, on the clock and in processor time:
// at least 50, more for up to 0.6 s.
template <class F>
std::pair<bench::Mesures, bench::Mesures> mesure_us(F&& travail) {
  bench::Mesures horloge, processeur;
  QElapsedTimer total;
  total.start();
  while (horloge.nombre() < 50 || (horloge.nombre() < 2000 && total.elapsed() < 600)) {
    QElapsedTimer t;
    const double c = cpu_us();
    t.start();
    travail();
    horloge.ajoute(static_cast<double>(t.nsecsElapsed()) / 1000.0);
    processeur.ajoute(cpu_us() - c);
  }
  return {horloge, processeur};
}

int manques = 0;  // cases whose median or worst is 1 ms or more

// The lines that continue the moves of `texte` with one more token at least.
int continuent(const std::string& texte) {
  const QString coups = coups_recherches(texte);
  const QString debut = coups.isEmpty() ? QStringLiteral("") : coups + QLatin1Char(' ');  // bound as '', not NULL
  return db_eco
      .valeur(QStringLiteral("SELECT count(*) FROM ECO WHERE substr(Eco_coup, 1, ?) = ? AND "
                             "substr(Eco_coup, ?) NOT IN ('*', '1-0', '0-1', '1/2-1/2')"),
              {debut.size(), debut, debut.size() + 1})
      .toInt();
}

void imprime(const char* cas, const char* position, int lignes, const char* construite,
             const std::pair<bench::Mesures, bench::Mesures>& mesures, int suites = -1) {
  const bench::Mesures& m = mesures.first;
  const bool tenu = m.mediane() < 1000 && m.pire() < 1000;
  if (!tenu) ++manques;
  std::printf("case=%s/%s rows=%d%s built=%s%s cpu_median_us=%.1f cpu_worst_us=%.1f target_us<1000 met=%s\n", cas,
              position, lignes, suites >= 0 ? (" continuing=" + std::to_string(suites)).c_str() : "", construite,
              bench::resume(m, "us", 1).c_str(), mesures.second.mediane(),
              mesures.second.pire(), tenu ? "yes" : "no");
  std::fflush(stdout);
}

void mesure_base(const char* construite) {
  const int lignes = db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt();
  for (const Position& p : POSITIONS) {
    reinitialise_etat_jeu();
    texte_partie = movetext_de_ligne(p.coups);
    const int couleur = dernier_trait == BLANC ? NOIR : BLANC;

    imprime("mode1", p.nom, lignes, construite, mesure_us([&] { cherche_ouverture(1, texte_partie); }));

    int cs, ls, cd, ld;
    std::string marques;
    float note;
    ouverture_aleatoire[1] = 0;
    imprime("book", p.nom, lignes, construite,
            mesure_us([&] { coup_bibliotheque(couleur, texte_partie, cs, ls, cd, ld, marques, note); }));
    ouverture_aleatoire[1] = 1;
    imprime("book_random", p.nom, lignes, construite,
            mesure_us([&] { coup_bibliotheque(couleur, texte_partie, cs, ls, cd, ld, marques, note); }),
            continuent(texte_partie));
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

// Grows the open base to `cible` lines or more through the program's
// enrichment, from PGN files of `par_fichier` played games each (their
// openings real lines played on at random, the seed `graine` and on), as a
// user feeds a base file after file. The number of files read.
int fait_grandir(int cible, const QString& dossier, const std::vector<std::string>& ouvertures, unsigned graine,
                 long par_fichier) {
  int fichiers = 0;
  while (db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt() < cible) {
    const QString chemin = QDir(dossier).filePath(QStringLiteral("parties_%1.pgn").arg(fichiers));
    if (!bench::genere_ouvertures_pgn(chemin, ouvertures, par_fichier, graine + static_cast<unsigned>(fichiers)))
      return fichiers;
    enrichit_base_depuis_pgn(chemin);
    QFile::remove(chemin);
    ++fichiers;
  }
  return fichiers;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dossier;
  const QString livree = bench::copie_base_livree(dossier, "opening_bench");
  if (livree.isEmpty()) return 1;
  const std::vector<std::string> ouvertures =
      bench::lignes_eco(QStringLiteral(MVD_BENCH_DIR "/../data-src/eco"));

  auto& liens = liens_ouvertures();
  liens.affiche_commentaire = [] { return false; };
  liens.pointeur_piece = [](int) {};
  liens.profil_moteur = [] { return 1; };
  active_base_con[1] = 1;
  initialise_hasard(1);

  // A book move that cannot be read shows a message in the program; here it is counted.
  int messages = 0;
  installe_afficheur_erreur([&](const std::string&, const std::string&) { ++messages; });
  // A database error shows a box: here it is printed and counted, the run goes on.
  plateforme::BoitesEnTest::active([&](const QString& texte) {
    ++messages;
    std::printf("message=%s\n", qPrintable(QString(texte).replace(QLatin1Char('\n'), QLatin1Char(' '))));
  });

  auto copie = [&](const char* nom) {
    const QString c = dossier.filePath(QString::fromLatin1(nom));
    QFile::copy(livree, c);
    return c;
  };
  QElapsedTimer t;
  ouvre_base_eco(copie("livree.db"));
  mesure_base("shipped");
  db_eco.ferme();

  const int plus_grande = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const bool grandie = argc <= 2 || std::atoi(argv[2]) != 0;
  for (const int cible : {100000, 1000000}) {
    if (cible > plus_grande) break;
    t.start();
    ouvre_base_eco(copie(cible == 100000 ? "en_une_fois_100k.db" : "en_une_fois_1m.db"));
    agrandit(cible);
    std::printf("built=at_once rows=%d seconds=%.1f %s\n", db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt(),
                static_cast<double>(t.elapsed()) / 1000.0, bench::charge().c_str());
    mesure_base("at_once");
    db_eco.ferme();
    QFile::remove(dossier.filePath(QStringLiteral("en_une_fois_100k.db")));
  }

  // One base grown from game files, measured at 100,000 lines and again at
  // a million.
  ouvre_base_eco(copie("grandie.db"));
  int fichiers = 0;
  for (const int cible : {100000, 1000000}) {
    if (cible > plus_grande || !grandie) break;
    t.start();
    fichiers += fait_grandir(cible, dossier.path(), ouvertures, 4242U + static_cast<unsigned>(fichiers), 5000);
    std::printf("built=grown rows=%d pgn_files=%d seconds=%.1f %s\n",
                db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO")).toInt(), fichiers,
                static_cast<double>(t.elapsed()) / 1000.0, bench::charge().c_str());
    mesure_base("grown");
  }
  db_eco.ferme();
  if (messages > 0) std::printf("messages=%d\n", messages);
  std::printf("cases_missing_target=%d\n", manques);
  return 0;
}
