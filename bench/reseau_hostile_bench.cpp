// A hostile peer against the listening side of a network game on 127.0.0.1:
// 10,000 chat lines sent as fast as the socket takes them, then a thousand
// connection attempts while the game goes on. One line per case:
//   case=chat lines=... seconds=... lines_per_s=... shown=... rss_kb=...
//   case=connections attempts=... refused=... seconds=... game_on=... rss_kb=...
// Run from the build folder (the board window's images are beside it):
//   QT_QPA_PLATFORM=offscreen ./bench_reseau_hostile_bench [lines] [attempts]
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "app/branchement.h"
#include "network/connexion.h"
#include "network/protocole.h"
#include "network/reseau.h"
#include "platform/boites.h"
#include "platform/chemins.h"
#include "platform/fenetres.h"
#include "platform/minuterie.h"
#include "platform/son.h"
#include "play/parametres.h"
#include "play/plateau.h"

namespace {

long rss_kb() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

// Runs the event loop until `condition` holds; false after `ms` milliseconds.
bool attend(const std::function<bool()>& condition, int ms) {
  QElapsedTimer t;
  t.start();
  while (!condition()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::usleep(200);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int lignes = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int tentatives = argc > 2 ? std::atoi(argv[2]) : 1000;
  plateforme::definit_chemin_appli(QCoreApplication::applicationDirPath());
  reinitialise_parametres();
  branche_tout();
  plateforme::BoitesEnTest::active([](const QString&) {});
  plateforme::SonsEnTest::active();
  mode_jeux = 3;
  active_son = 0;
  ges_log = 0;
  ip_nom_utilisateur = QStringLiteral("Joueur1");

  // This side listens through the connection dialog; the peer asks for a game.
  QTcpServer libre;
  libre.listen(QHostAddress::LocalHost, 0);
  const quint16 port = libre.serverPort();
  libre.close();
  montre_connexion();
  connexion* d = fenetres::existante<connexion>();
  d->Option1[1]->setChecked(true);
  d->Text2->setText(QString::number(port));
  d->SSCommand2->click();
  plateau* p = plateau::existante();
  if (!p) {
    std::fprintf(stderr, "the board window did not open\n");
    return 1;
  }
  QTcpSocket pair;
  pair.connectToHost(QHostAddress::LocalHost, port);
  attend([&] { return reseau::Reseau::instance().phase() == reseau::Phase::DEMANDE; }, 5000);
  plateforme::BoitesEnTest::repond(boite::OUI);
  pair.write(reseau::vers_octets(reseau::message_demande(QStringLiteral("Bob"))));
  if (!attend([] { return reseau::Reseau::instance().phase() == reseau::Phase::PARTIE; }, 5000)) {
    std::fprintf(stderr, "the game did not start\n");
    return 1;
  }

  // The chat flood: every line sent at once, in the socket's own pieces.
  QElapsedTimer t;
  t.start();
  QByteArray flot;
  for (int i = 0; i < lignes; ++i)
    flot += reseau::vers_octets(reseau::message_chat(QStringLiteral("Bob"), QStringLiteral("ligne %1 du déluge").arg(i)));
  qsizetype envoye = 0;
  while (envoye < flot.size()) {
    const qint64 n = pair.write(flot.constData() + envoye, std::min<qsizetype>(4096, flot.size() - envoye));
    if (n <= 0) break;
    envoye += n;
    pair.flush();
    QCoreApplication::processEvents();
  }
  const QString derniere = QStringLiteral("ligne %1 du déluge").arg(lignes - 1);
  attend([&] { return p->Text1->toPlainText().contains(derniere); }, 120000);
  const double s_chat = t.nsecsElapsed() / 1e9;
  const int montrees = static_cast<int>(p->Text1->toPlainText().count(QStringLiteral("du déluge")));
  std::printf("case=chat lines=%d seconds=%.3f lines_per_s=%.0f shown=%d rss_kb=%ld\n", lignes, s_chat,
              s_chat > 0 ? lignes / s_chat : 0.0, montrees, rss_kb());
  std::fflush(stdout);

  // A thousand connection attempts, fifty at a time, each asking for a game.
  t.restart();
  int refusees = 0;
  for (int fait = 0; fait < tentatives;) {
    std::vector<std::unique_ptr<QTcpSocket>> lot;
    for (int k = 0; k < 50 && fait < tentatives; ++k, ++fait) {
      auto s = std::make_unique<QTcpSocket>();
      s->connectToHost(QHostAddress::LocalHost, port);
      lot.push_back(std::move(s));
    }
    for (auto& s : lot) {
      if (!s->waitForConnected(2000)) continue;
      s->write(reseau::vers_octets(reseau::message_demande(QStringLiteral("Eve"))));
      s->flush();
    }
    for (auto& s : lot) {
      QByteArray recu;
      attend([&] {
        recu += s->readAll();
        return recu.startsWith('-') || s->state() == QAbstractSocket::UnconnectedState;
      }, 5000);
      recu += s->readAll();
      refusees += recu.startsWith('-');
    }
  }
  const double s_cnx = t.nsecsElapsed() / 1e9;
  const bool partie = reseau::Reseau::instance().phase() == reseau::Phase::PARTIE &&
                      pair.state() == QAbstractSocket::ConnectedState;
  std::printf("case=connections attempts=%d refused=%d seconds=%.3f game_on=%s rss_kb=%ld\n", tentatives, refusees,
              s_cnx, partie ? "yes" : "no", rss_kb());
  reseau::Reseau::detruit();
  fenetres::ferme_toutes();
  return 0;
}
