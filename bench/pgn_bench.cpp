// PGN reading speed and memory. Makes a 100,000-game Windows-1252 file from
// real opening lines (genere_pgn.h), then:
//   case=list_all       every game listed (the list's lines are built; the
//                       bench raises the game limit above the file's count)
//   case=list_filtered  a selective White criterion: every game read, few kept
//   case=load_near_end  one game near the end read from its offset, its
//                       comments taken out and its movetext made the program's
//   case=pgn_extract    `pgn-extract -s -r` over the same file, when installed
// one line per case: case=... games=... seconds=... games_per_s=..., then the
// ratio of the listing to pgn-extract and the peak resident memory.
//   bench_pgn_pgn_bench [games]     (run with QT_QPA_PLATFORM=offscreen)
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdio>
#include <limits>

#include "bench/genere_pgn.h"
#include "gamefiles/charge_pgn.h"
#include "gamefiles/filtre_pgn.h"
#include "gamefiles/lecture_pgn.h"
#include "gamefiles/liste_parties.h"
#include "gamefiles/movetext_pgn.h"
#include "play/modele_parties.h"

namespace {

long rss_max_kb() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

void ligne(const char* cas, long parties, double secondes, const char* plus = "") {
  std::printf("case=%s games=%ld seconds=%.4f games_per_s=%.0f%s\n", cas, parties, secondes,
              secondes > 0 ? static_cast<double>(parties) / secondes : 0.0, plus);
  std::fflush(stdout);
}

struct Liste {
  long lues = 0, gardees = 0;
  double secondes = 0;
  std::int64_t derniere = -1;
};

Liste liste(const QString& chemin, const pgn::CriteresFiltre* criteres, ModeleParties& modele) {
  modele.commence(chemin);
  Liste r;
  QElapsedTimer t;
  t.start();
  pgn::FichierPgn f;
  if (!f.ouvre(chemin)) return r;
  // As the board window's list is filled: games prepared, added at each pause.
  const pgn::BilanLecture b = pgn::liste_parties(
      f, criteres, std::numeric_limits<long>::max(),
      [&](const pgn::PartieLue& p) {
        prepare_ligne(modele, p);
        r.derniere = p.debut;
      },
      [&](const pgn::BilanLecture&, std::int64_t) {
        modele.publie();
        QCoreApplication::processEvents();
        return true;
      });
  r.secondes = static_cast<double>(t.nsecsElapsed()) / 1e9;
  r.lues = b.lues;
  r.gardees = b.gardees;
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const long nb = argc > 1 ? std::atol(argv[1]) : 100000;
  QTemporaryDir dossier;
  const QString chemin = dossier.filePath(QStringLiteral("bench.pgn"));
  QElapsedTimer t;
  t.start();
  if (!bench::genere_fichier_pgn(chemin, QStringLiteral(MVD_BENCH_DIR "/../data-src/eco"), nb)) {
    std::fprintf(stderr, "pgn_bench: the file could not be made\n");
    return 1;
  }
  std::printf("file=%s games=%ld bytes=%lld generated_seconds=%.2f\n", qPrintable(chemin), nb,
              static_cast<long long>(QFileInfo(chemin).size()), static_cast<double>(t.elapsed()) / 1000.0);
  const long rss_avant = rss_max_kb();

  // The board window's list: the view over its model.
  QTreeView vue;
  vue.setUniformRowHeights(true);
  ModeleParties modele;
  vue.setModel(&modele);
  // The selective filter first: every game read, few lines kept, so the
  // peak memory after it is that of reading alone.
  pgn::CriteresFiltre critere;
  critere.blanc = QStringLiteral("Nu\u00f1ez");
  critere.date = QStringLiteral("2004");
  const Liste filtre = liste(chemin, &critere, modele);
  ligne("list_filtered", filtre.lues, filtre.secondes,
        qPrintable(QStringLiteral(" kept=%1").arg(filtre.gardees)));
  const long rss_lecture = rss_max_kb();

  const Liste tout = liste(chemin, nullptr, modele);
  ligne("list_all", tout.lues, tout.secondes, "");
  const long rss_liste = rss_max_kb();

  // One game near the end, from its offset, as a double-click in the list reads it.
  const int n = modele.rowCount();
  const std::int64_t offset = n > 10 ? modele.debut(n - 10) : -1;
  double meilleur = 1e9;
  std::size_t coups = 0;
  for (int essai = 0; essai < 20 && offset >= 0; ++essai) {
    QElapsedTimer c;
    c.start();
    pgn::FichierPgn f;
    f.ouvre(chemin);
    pgn::LecteurPgn lecteur(f);
    pgn::PartieLue p;
    if (!f.positionne(offset) || !lecteur.partie_suivante(p, true)) break;
    const pgn::MovetextLu m = pgn::lit_movetext(p.movetext);
    const std::string texte = pgn::movetext_programme(m, "");
    coups = m.coups.size();
    meilleur = std::min(meilleur, static_cast<double>(c.nsecsElapsed()) / 1e9);
  }
  ligne("load_near_end", 1, meilleur, qPrintable(QStringLiteral(" ms=%1 half_moves=%2").arg(meilleur * 1000.0, 0, 'f', 3).arg(coups)));

  const QString outil = QFileInfo(QStringLiteral("/usr/games/pgn-extract")).isExecutable()
                            ? QStringLiteral("/usr/games/pgn-extract")
                            : QStringLiteral("pgn-extract");
  QProcess p;
  QElapsedTimer c;
  c.start();
  p.start(outil, {QStringLiteral("-s"), QStringLiteral("-r"), chemin});
  if (p.waitForStarted(5000) && p.waitForFinished(-1)) {
    const double s = static_cast<double>(c.nsecsElapsed()) / 1e9;
    ligne("pgn_extract", nb, s);
    const double nous = static_cast<double>(tout.lues) / tout.secondes;
    const double eux = static_cast<double>(nb) / s;
    std::printf("ratio list_all_vs_pgn_extract=%.1f target=10\n", nous / eux);
  } else {
    std::printf("case=pgn_extract skipped (not installed: tools/installe_paquets.sh installs it)\n");
  }
  std::printf("peak_rss_kb before_reading=%ld after_filtered_reading=%ld after_listing_all=%ld end=%ld listed_lines=%d\n",
              rss_avant, rss_lecture, rss_liste, rss_max_kb(), modele.rowCount());
  return 0;
}
