// PGN reading speed and memory, side by side with pgn-extract and a warm
// read of the same file in the same run. Makes (or takes again) a file of
// legal games of a realistic length in the working folder (genere_pgn.h),
// checks that pgn-extract reads it without a message, then alternates, for
// each round:
//   case=list_all       every game listed as the board window's list shows
//                       them (tags read, the list's rows filled)
//   case=pgn_extract    `pgn-extract -s -r` over the same file (a validating read)
//   case=warm_read      `cat` of the file to /dev/null, the file in the cache
//   case=list_filtered  a selective White criterion: every game read, few kept
// and then reads one game near the end from its offset, as a double-click in
// the list does (comments taken out, movetext made the program's), for each
// of the last games:
//   case=load_near_end
// Every line gives the median, 99th percentile and worst, and the machine's
// load; the ratios are those of the medians. Then the peak resident memory.
//   QT_QPA_PLATFORM=offscreen bench_pgn_bench [games, 100000] [rounds, 7]
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTreeView>
#include <cstdio>
#include <limits>

#include "bench/aide_bench.h"
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

double secondes(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e9; }

struct Liste {
  long lues = 0, gardees = 0;
  double secondes = 0;
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
      f, criteres, std::numeric_limits<long>::max(), [&](const pgn::PartieLue& p) { prepare_ligne(modele, p); },
      [&](const pgn::BilanLecture&, std::int64_t) {
        modele.publie();
        QCoreApplication::processEvents();
        return true;
      });
  r.secondes = secondes(t);
  r.lues = b.lues;
  r.gardees = b.gardees;
  return r;
}

// One run of `programme`; its seconds, and what it wrote (both channels) in
// `sortie`, or its output thrown away when `sortie` is null. Negative when
// it did not run.
double lance(const QString& programme, const QStringList& arguments, QByteArray* sortie) {
  QProcess p;
  if (sortie)
    p.setProcessChannelMode(QProcess::MergedChannels);
  else
    p.setStandardOutputFile(QProcess::nullDevice());
  QElapsedTimer t;
  t.start();
  p.start(programme, arguments);
  if (!p.waitForStarted(5000) || !p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit) return -1;
  const double s = secondes(t);
  if (sortie) *sortie = p.readAll();
  return s;
}

// What pgn-extract said beyond its running count of games ("Games: 1000"):
// the reports of games it could not take.
QByteArrayList messages_outil(const QByteArray& sortie) {
  QByteArrayList messages;
  QByteArray l;
  for (const char c : sortie + '\n') {
    if (c != '\r' && c != '\n') {
      l += c;
      continue;
    }
    const QByteArray t = l.trimmed();
    l.clear();
    bool compte = t.startsWith("Games: ");
    if (compte) t.mid(7).toLong(&compte);
    if (!t.isEmpty() && !compte) messages.append(t);
  }
  return messages;
}

void ligne(const char* cas, long parties, const bench::Mesures& m, const std::string& plus = "") {
  const double med = m.mediane();
  std::printf("case=%s games=%ld games_per_s=%.0f%s%s\n", cas, parties, med > 0 ? static_cast<double>(parties) / med : 0.0,
              bench::resume(m, "s", 4).c_str(), plus.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const long nb = argc > 1 ? std::atol(argv[1]) : 100000;
  const int tours = argc > 2 ? std::max(5, std::atoi(argv[2])) : 7;
  // The file stays in the working folder, to be read again by other tools.
  const QString chemin = QDir::current().absoluteFilePath(QStringLiteral("pgn_bench_legal_%1.pgn").arg(nb));
  QElapsedTimer t;
  t.start();
  const bool repris = QFileInfo::exists(chemin);
  if (!repris && !bench::genere_fichier_pgn(chemin, QStringLiteral(MVD_BENCH_DIR "/../data-src/eco"), nb)) {
    std::fprintf(stderr, "pgn_bench: the file could not be made\n");
    return 1;
  }
  const auto octets = static_cast<long long>(QFileInfo(chemin).size());
  std::printf("file=%s games=%ld bytes=%lld bytes_per_game=%lld %s=%.2f %s\n", qPrintable(chemin), nb, octets,
              nb > 0 ? octets / nb : 0, repris ? "reused_seconds" : "generated_seconds",
              static_cast<double>(t.elapsed()) / 1000.0, bench::charge().c_str());

  const QString outil = QFileInfo(QStringLiteral("/usr/games/pgn-extract")).isExecutable()
                            ? QStringLiteral("/usr/games/pgn-extract")
                            : QStringLiteral("pgn-extract");
  const QStringList arguments_outil = {QStringLiteral("-s"), QStringLiteral("-r"), chemin};
  // The yardstick only counts when it took every game without a word.
  QByteArray sortie_outil;
  const bool outil_present = lance(outil, arguments_outil, &sortie_outil) >= 0;
  const QByteArrayList messages = messages_outil(sortie_outil);
  if (!outil_present)
    std::printf("case=pgn_extract skipped (not installed: tools/installe_paquets.sh installs it)\n");
  else
    std::printf("pgn_extract_check messages=%lld%s%s\n", static_cast<long long>(messages.size()),
                messages.isEmpty() ? " clean=yes" : " clean=no first=",
                messages.isEmpty() ? "" : messages.first().constData());
  const long rss_avant = rss_max_kb();

  // The board window's list: the view over its model.
  QTreeView vue;
  vue.setUniformRowHeights(true);
  ModeleParties modele;
  vue.setModel(&modele);
  pgn::CriteresFiltre critere;
  critere.blanc = QStringLiteral("Nu\u00f1ez");
  critere.date = QStringLiteral("2004");

  bench::Mesures tout, outil_s, cat, filtre;
  long lues = 0, gardees = 0, lues_filtre = 0;
  bool propre = messages.isEmpty();
  long rss_lecture = 0;
  for (int tour = 0; tour < tours; ++tour) {
    // The selective filter first: the peak memory after the first one is
    // that of reading alone.
    const Liste f = liste(chemin, &critere, modele);
    filtre.ajoute(f.secondes);
    lues_filtre = f.lues;
    gardees = f.gardees;
    if (tour == 0) rss_lecture = rss_max_kb();
    const Liste a = liste(chemin, nullptr, modele);
    tout.ajoute(a.secondes);
    lues = a.lues;
    if (outil_present) {
      QByteArray sortie;
      const double s = lance(outil, arguments_outil, &sortie);
      if (s >= 0) outil_s.ajoute(s);
      propre = propre && messages_outil(sortie).isEmpty();
    }
    if (const double s = lance(QStringLiteral("cat"), {chemin}, nullptr); s >= 0) cat.ajoute(s);
  }
  const long rss_liste = rss_max_kb();
  ligne("list_all", lues, tout, " rows=" + std::to_string(modele.rowCount()));
  ligne("list_filtered", lues_filtre, filtre, " kept=" + std::to_string(gardees));
  if (!outil_s.vide()) ligne("pgn_extract", nb, outil_s, propre ? " peer_messages=none" : " peer_messages=SOME");
  if (!cat.vide()) ligne("warm_read", nb, cat, "");
  if (!outil_s.vide() && tout.mediane() > 0)
    std::printf("ratio list_all_vs_pgn_extract=%.1f target>=20 %s\n", outil_s.mediane() / tout.mediane(),
                propre ? "peer_clean=yes" : "peer_clean=NO (the ratio does not count)");
  if (!cat.vide() && cat.mediane() > 0)
    std::printf("ratio list_all_vs_warm_read=%.1f target<=10\n", tout.mediane() / cat.mediane());

  // Games near the end, each from its offset, as a double-click in the list
  // reads one: the file opened, the game read, its movetext made the program's.
  const int n = modele.rowCount();
  bench::Mesures charge;
  std::size_t demi_coups = 0, octets_partie = 0;
  for (int i = std::max(0, n - 200); i < n; ++i) {
    const std::int64_t offset = modele.debut(i);
    QElapsedTimer c;
    c.start();
    pgn::FichierPgn f;
    f.ouvre(chemin);
    pgn::LecteurPgn lecteur(f);
    pgn::PartieLue p;
    if (!f.positionne(offset) || !lecteur.partie_suivante(p, true)) break;
    const pgn::MovetextLu m = extrait_commentaires(p.movetext);
    const std::string texte = pgn::movetext_programme(m, "");
    charge.ajoute(static_cast<double>(c.nsecsElapsed()) / 1e6);
    demi_coups += m.coups.size();
    octets_partie += p.movetext.size();
  }
  if (!charge.vide())
    std::printf("case=load_near_end games=%zu mean_half_moves=%zu mean_movetext_bytes=%zu%s target_worst_ms<10\n",
                charge.nombre(), demi_coups / charge.nombre(), octets_partie / charge.nombre(),
                bench::resume(charge, "ms").c_str());
  std::printf("peak_rss_kb before_reading=%ld after_filtered_reading=%ld after_listing_all=%ld end=%ld listed_lines=%d\n",
              rss_avant, rss_lecture, rss_liste, rss_max_kb(), modele.rowCount());
  return 0;
}
