// A game file of about 1 GB (the games of genere_pgn.h, over and over) read
// through the game list's reader, as the load form lists it: the program's
// game limit, then a selective filter that reads every game and keeps few.
// The resident memory is sampled as the reading goes: it stays flat, the
// file is never held. One line per sample and per case:
//   sample case=... percent=... rss_kb=...
//   case=... games=... kept=... seconds=... mb_per_s=... rss_start_kb=... rss_end_kb=... rss_peak_kb=...
//   QT_QPA_PLATFORM=offscreen ./bench_pgn_gros_bench [MB, 1024 by default] [folder for the file]
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/genere_pgn.h"
#include "gamefiles/charge_pgn.h"
#include "gamefiles/filtre_pgn.h"
#include "gamefiles/lecture_pgn.h"
#include "play/parametres.h"

namespace {

long rss_pic_kb() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

// The resident memory now.
long rss_kb() {
  std::ifstream statm("/proc/self/statm");
  long taille = 0, residente = 0;
  statm >> taille >> residente;
  return residente * (sysconf(_SC_PAGESIZE) / 1024);
}

void lit(const char* cas, const QString& chemin, const pgn::CriteresFiltre* criteres, long limite) {
  pgn::FichierPgn f;
  if (!f.ouvre(chemin)) {
    std::fprintf(stderr, "cannot open %s\n", qPrintable(chemin));
    return;
  }
  const double taille = static_cast<double>(f.taille());
  const long debut = rss_kb();
  int prochain = 10;
  QElapsedTimer t;
  t.start();
  const pgn::BilanLecture b = pgn::liste_parties(
      f, criteres, limite, [](const pgn::PartieLue&) {},
      [&](const pgn::BilanLecture&, std::int64_t position) {
        const double pour_cent = 100.0 * static_cast<double>(position) / taille;
        while (pour_cent >= prochain && prochain <= 100) {
          std::printf("sample case=%s percent=%d rss_kb=%ld\n", cas, prochain, rss_kb());
          prochain += 10;
        }
        return true;
      });
  const double s = static_cast<double>(t.nsecsElapsed()) / 1e9;
  std::printf("case=%s games=%ld kept=%ld seconds=%.2f mb_per_s=%.1f rss_start_kb=%ld rss_end_kb=%ld rss_peak_kb=%ld\n",
              cas, b.lues, b.gardees, s, taille / 1048576.0 / s, debut, rss_kb(), rss_pic_kb());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const long mo = argc > 1 ? std::atol(argv[1]) : 1024;
  QTemporaryDir temporaire(argc > 2 ? QString::fromLocal8Bit(argv[2]) + QStringLiteral("/pgn_gros_XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/pgn_gros_XXXXXX"));
  const QString morceau = temporaire.filePath(QStringLiteral("morceau.pgn"));
  const QString chemin = temporaire.filePath(QStringLiteral("gros.pgn"));
  // 100,000 games once, then copied end to end up to the size asked.
  if (!bench::genere_fichier_pgn(morceau, QStringLiteral(MVD_BENCH_DIR "/../data-src/eco"), 100000)) {
    std::fprintf(stderr, "pgn_gros_bench: the file could not be made\n");
    return 1;
  }
  QFile m(morceau);
  m.open(QIODevice::ReadOnly);
  const QByteArray bloc = m.readAll();
  QFile gros(chemin);
  if (!gros.open(QIODevice::WriteOnly)) return 1;
  while (gros.size() < mo * 1048576LL)
    if (gros.write(bloc) != bloc.size()) {
      std::fprintf(stderr, "pgn_gros_bench: the disk is full\n");
      return 1;
    }
  gros.close();
  QFile::remove(morceau);
  std::printf("file=%s bytes=%lld rss_kb=%ld\n", qPrintable(chemin), static_cast<long long>(QFileInfo(chemin).size()),
              rss_kb());

  reinitialise_parametres();
  lit("list_program_limit", chemin, nullptr, max_seuil_partie);
  pgn::CriteresFiltre critere;
  critere.blanc = QStringLiteral("Nu\u00f1ez");
  critere.date = QStringLiteral("2004");
  lit("list_filtered_all_read", chemin, &critere, 1L << 40);
  lit("list_every_game", chemin, nullptr, 1L << 40);
  return 0;
}
