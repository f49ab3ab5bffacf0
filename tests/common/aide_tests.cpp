#include "tests/common/aide_tests.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDate>

#include "correspondence/base_corres.h"

#include <algorithm>
#include <csignal>
#include <random>
#include <chrono>
#include <thread>
#include <cstring>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>

#include "app/branchement.h"
#include "platform/fenetres.h"
#include "play/parametres.h"
#include "chess/etat.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "localisation/textes_langue.h"
#include "platform/chemins.h"
#include "platform/courriel.h"
#include "platform/dialogues_fichiers.h"
#include "platform/evenements.h"
#include "platform/fichiers_texte.h"
#include "platform/imprimante.h"
#include "platform/lancement.h"
#include "platform/reglages_utilisateur.h"

void TestMorvandel::SetUp() {
  reinitialise_etat_jeu();
  reinitialise_langue();
  reinitialise_poids();
  reinitialise_recherche();
  plateforme::BoitesEnTest::efface();
  dossier_ = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(dossier_->isValid());
  plateforme::definit_chemin_appli(dossier_->path());
  // The per-user store of this test: never the real user's configuration.
  plateforme::definit_dossier_reglages(dossier_->path() + QStringLiteral("/reglages_utilisateur"));
  reinitialise_parametres();
  // Every hook as the program wires it, whatever the last test changed.
  branche_tout();
  plateforme::DialoguesEnTest::efface();
  plateforme::LancementsEnTest::efface();
  // No mail leaves the machine: only the stand-in transport a test names.
  plateforme::CourrielsEnTest::active();
  // Every print job of the test is a PDF file in its folder.
  plateforme::ImpressionsEnTest::active(dossier_->path());
  // Every yield of a search lets events run, whatever the machine's speed.
  plateforme::PassagesEnTest::active();
  // Disks that work, long jobs paced by the clock.
  plateforme::DisqueEnTest::efface();
  plateforme::PausesEnTest::efface();
}

void TestMorvandel::TearDown() {
  EXPECT_EQ(plateforme::BoitesEnTest::reponses_restantes(), 0) << "queued box answers were not used";
  EXPECT_EQ(plateforme::DialoguesEnTest::reponses_restantes(), 0) << "queued file names were not used";
  // No hook of the test outlives it.
  branche_tout();
  fenetres::ferme_toutes();
  plateforme::BoitesEnTest::efface();
  plateforme::DialoguesEnTest::efface();
  plateforme::CourrielsEnTest::active();
  plateforme::DisqueEnTest::efface();
  plateforme::PausesEnTest::efface();
  plateforme::definit_chemin_appli(QString());
  plateforme::definit_dossier_reglages(QString());
  dossier_.reset();
}

void TestMorvandel::installe_images() const {
  const QString donnees = QStringLiteral(MVD_BUILD_DIR);
  for (const char* sous_dossier : {"images/pieces/Morvandel", "images/echiquier"}) {
    const QDir source(donnees + QLatin1Char('/') + QLatin1String(sous_dossier));
    const QDir cible(dossier() + QLatin1Char('/') + QLatin1String(sous_dossier));
    QDir().mkpath(cible.path());
    for (const QString& f : source.entryList(QDir::Files)) QFile::copy(source.filePath(f), cible.filePath(f));
  }
}

void TestMorvandel::reglages_fenetre(int mode, bool son, bool horloge) const {
  installe_images();
  mode_jeux = mode;
  active_son = son ? 1 : 0;
  active_horloge = horloge ? 1 : 0;
  ges_log = 0;
  analyse_ouverture = 0;
}

void passe_en_langue(int cle) {
  cle_langue = cle;
  applique_langue();
}

void pose_diagramme(const char* const lignes[8]) {
  tab_echiquier.vide();
  for (int l = 1; l <= 8; ++l) {
    ASSERT_EQ(std::strlen(lignes[l - 1]), 8u);
    for (int c = 1; c <= 8; ++c) {
      const char ch = lignes[l - 1][c - 1];
      if (ch == '.') continue;
      const int code = code_de_lettre(2, ch);
      ASSERT_NE(code, 0) << ch;
      tab_echiquier(c, l) = code;
    }
  }
}

QString dans_un_enfant(const std::function<QString()>& travail, long long limite_octets, bool sans_droits) {
  int tube[2];
  if (::pipe(tube) != 0) return QStringLiteral("<pipe: %1>").arg(std::strerror(errno));
  const pid_t pid = ::fork();
  if (pid < 0) return QStringLiteral("<fork: %1>").arg(std::strerror(errno));
  if (pid == 0) {
    ::close(tube[0]);
    if (limite_octets >= 0) {
      // Past the limit write() fails with EFBIG instead of ending the process.
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limite{static_cast<rlim_t>(limite_octets), static_cast<rlim_t>(limite_octets)};
      if (::setrlimit(RLIMIT_FSIZE, &limite) != 0) ::_exit(3);
    }
    if (sans_droits && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(4);
    const QByteArray resultat = travail().toUtf8();
    qsizetype fait = 0;
    while (fait < resultat.size()) {
      const ssize_t n = ::write(tube[1], resultat.constData() + fait, static_cast<size_t>(resultat.size() - fait));
      if (n <= 0) ::_exit(5);
      fait += n;
    }
    ::_exit(0);
  }
  ::close(tube[1]);
  QByteArray lu;
  char tampon[4096];
  ssize_t n = 0;
  while ((n = ::read(tube[0], tampon, sizeof tampon)) > 0 || (n < 0 && errno == EINTR))
    if (n > 0) lu.append(tampon, n);
  ::close(tube[0]);
  int statut = 0;
  ::waitpid(pid, &statut, 0);
  if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0)
    return QStringLiteral("<child ended with status %1>").arg(statut);
  return QString::fromUtf8(lu);
}

bool tue_enfant_apres(const std::function<void()>& travail, long delai_us) {
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    travail();
    ::_exit(0);
  }
  const auto fin = std::chrono::steady_clock::now() + std::chrono::microseconds(delai_us);
  int statut = 0;
  while (std::chrono::steady_clock::now() < fin) {
    if (::waitpid(pid, &statut, WNOHANG) == pid) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(std::min<long>(50, delai_us)));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &statut, 0);
  return WIFSIGNALED(statut) && WTERMSIG(statut) == SIGKILL;
}

long duree_dans_un_enfant(const std::function<void()>& travail) {
  const auto debut = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) return 0;
  if (pid == 0) {
    travail();
    ::_exit(0);
  }
  int statut = 0;
  ::waitpid(pid, &statut, 0);
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - debut).count());
}

QStringList melanges_apres_tirs(const std::function<void()>& sauve, const std::function<void()>& remet_avant,
                                const std::function<QString()>& etat, int tirs) {
  remet_avant();
  const long duree = std::max(1000L, duree_dans_un_enfant(sauve));
  const QString complet = etat();
  if (complet != QStringLiteral("nouveau")) return {QStringLiteral("run to its end: ") + complet};
  QStringList melanges;
  std::mt19937 hasard(12345);
  for (int k = 0; k < tirs; ++k) {
    remet_avant();
    const long delai = duree * k / tirs + static_cast<long>(hasard() % static_cast<unsigned>(duree / tirs + 1));
    tue_enfant_apres(sauve, delai);
    const QString e = etat();
    if (e != QStringLiteral("ancien") && e != QStringLiteral("nouveau"))
      melanges << QStringLiteral("killed after %1 of %2 us: %3").arg(delai).arg(duree).arg(e);
  }
  return melanges;
}

QString etat_apres_tir(const QByteArray& o, const QByteArray& ancien, const QByteArray& nouveau,
                       const std::function<QByteArray(const QByteArray&)>& compare) {
  if (o == ancien) return QStringLiteral("ancien");
  if (compare ? compare(o) == compare(nouveau) : o == nouveau) return QStringLiteral("nouveau");
  return QStringLiteral("%1 bytes").arg(o.size());
}

QByteArray octets_fichier(const QString& chemin, const QByteArray& si_absent) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : si_absent;
}

void ecrit_octets(const QString& chemin, const QByteArray& octets) {
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << chemin.toStdString();
  ASSERT_EQ(f.write(octets), octets.size());
}

QStringList fichiers_du_dossier(const QString& dossier) {
  return QDir(dossier).entryList(QDir::Files | QDir::Hidden);
}

bool met_droits(const QString& chemin, unsigned mode) {
  return ::chmod(QFile::encodeName(chemin).constData(), static_cast<mode_t>(mode)) == 0;
}

QString texte_montre(const QObject* controle) {
  if (auto* b = qobject_cast<const QAbstractButton*>(controle)) return b->text();
  if (auto* l = qobject_cast<const QLabel*>(controle)) return l->text();
  if (auto* g = qobject_cast<const QGroupBox*>(controle)) return g->title();
  if (auto* a = qobject_cast<const QAction*>(controle)) return a->text();
  return QStringLiteral("<absent>");
}

PartieCorres partie_corres_essai(bool jai_blanc, const QString& coups, int notation, const QString& resultat) {
  PartieCorres p;
  p.jai_blanc = jai_blanc;
  p.blanc = jai_blanc ? QStringLiteral("Moi") : QStringLiteral("Lui");
  p.noir = jai_blanc ? QStringLiteral("Lui") : QStringLiteral("Moi");
  p.mel_blanc = jai_blanc ? QStringLiteral("moi@exemple.org") : QStringLiteral("lui@exemple.org");
  p.mel_noir = jai_blanc ? QStringLiteral("lui@exemple.org") : QStringLiteral("moi@exemple.org");
  p.elo_blanc = 1600;
  p.elo_noir = 1700;
  p.debut = QDate(2026, 3, 1);
  p.cle_adverse = 12;
  p.resultat = resultat;
  p.coups = coups;
  p.notation = notation;
  return p;
}
