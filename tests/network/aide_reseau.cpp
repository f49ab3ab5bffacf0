#include "tests/network/aide_reseau.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <mutex>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/cases.h"
#include "chess/etat.h"
#include "chess/regles.h"
#include "chess/repetitions.h"
#include "localisation/textes_langue.h"
#include "network/branchement.h"
#include "network/connexion.h"
#include "network/protocole.h"
#include "network/reseau.h"
#include "openings/comment.h"
#include "openings/liens_ouvertures.h"
#include "platform/minuterie.h"
#include "platform/son.h"
#include "play/jeu.h"

namespace {

QStringList lignes_journal;
QtMessageHandler gestionnaire_precedent = nullptr;

void capte(QtMsgType type, const QMessageLogContext& contexte, const QString& texte) {
  if (contexte.category && QByteArray(contexte.category) == "morvandel.reseau") {
    lignes_journal << texte;
    return;
  }
  if (gestionnaire_precedent) gestionnaire_precedent(type, contexte, texte);
}

}  // namespace

void TestReseau::SetUp() {
  TestMorvandel::SetUp();
  reinitialise_parametres();
  reglages_fenetre(3, true, true);
  delai_partie = QStringLiteral("00:15:00");
  style_notation = 2;
  etat_clic = 0;
  ip_nom_utilisateur = QStringLiteral("Joueur1");
  liens_ouvertures().affiche_commentaire = [] { return true; };
  plateforme::SonsEnTest::active();
  plateforme::MinuteriesEnTest::active();
  // The program's own wiring (the network game included) is in place.
  lignes_journal.clear();
  gestionnaire_precedent = qInstallMessageHandler(capte);
}

void TestReseau::TearDown() {
  reseau::debranche_reseau();
  pair.reset();
  serveur_pair.reset();
  fenetres::decharge<plateau>();
  fenetres::decharge<connexion>();
  decharge_comment();
  liens_ouvertures().affiche_commentaire = nullptr;
  plateforme::SonsEnTest::desactive();
  qInstallMessageHandler(gestionnaire_precedent);
  TestMorvandel::TearDown();
}

void TestReseau::recommence() {
  reseau::debranche_reseau();
  fenetres::decharge<plateau>();
  pair.reset();
  serveur_pair.reset();
  laisse_passer();
  plateforme::BoitesEnTest::efface();
  reseau::branche_reseau();
  p = nullptr;
}

quint16 TestReseau::port_libre() {
  QTcpServer s;
  s.listen(QHostAddress::LocalHost, 0);
  return s.serverPort();
}

quint16 TestReseau::ecoute_par_dialogue() {
  montre_connexion();
  connexion* d = fenetres::existante<connexion>();
  d->Option1[1]->setChecked(true);
  const quint16 port = port_libre();
  d->Text2->setText(QString::number(port));
  d->SSCommand2->click();
  p = plateau::existante();
  if (!p) throw std::runtime_error("the board window did not open");
  return port;
}

std::unique_ptr<QTcpSocket> TestReseau::connecte_pair(quint16 port) {
  auto s = std::make_unique<QTcpSocket>();
  s->connectToHost(QHostAddress::LocalHost, port);
  if (!attend([&s] { return s->state() == QAbstractSocket::ConnectedState; }))
    throw std::runtime_error("the peer could not connect");
  return s;
}

void TestReseau::partie_serveur(const QString& pseudo_pair, int reponse) {
  envoyes_ = 0;
  const quint16 port = ecoute_par_dialogue();
  pair = connecte_pair(port);
  attend([] { return reseau::Reseau::instance().phase() == reseau::Phase::DEMANDE; });
  plateforme::BoitesEnTest::repond(reponse);
  envoie_pair(reseau::vers_octets(reseau::message_demande(pseudo_pair)));
  if (reponse == boite::OUI)
    attend([] { return reseau::Reseau::instance().phase() == reseau::Phase::PARTIE; });
  else
    attend([] { return reseau::Reseau::instance().phase() == reseau::Phase::ATTENTE; });
}

void TestReseau::partie_client(const QString& pseudo_pair, bool accepte) {
  envoyes_ = 0;
  serveur_pair = std::make_unique<QTcpServer>();
  serveur_pair->listen(QHostAddress::LocalHost, 0);
  montre_connexion();
  connexion* d = fenetres::existante<connexion>();
  d->Option1[0]->setChecked(true);
  d->Text1->setText(QStringLiteral("127.0.0.1"));
  d->Text2->setText(QString::number(serveur_pair->serverPort()));
  d->SSCommand2->click();
  p = plateau::existante();
  if (!p) throw std::runtime_error("the board window did not open");
  if (!attend([this] { return serveur_pair->hasPendingConnections(); }))
    throw std::runtime_error("this side did not connect");
  pair.reset(serveur_pair->nextPendingConnection());
  pair->setParent(nullptr);
  if (!accepte) return;
  recu_pair(static_cast<int>(reseau::message_demande(ip_nom_utilisateur).size()));
  envoie_pair(reseau::vers_octets(reseau::message_acceptation(pseudo_pair)));
  attend([] { return reseau::Reseau::instance().phase() == reseau::Phase::PARTIE; });
}

void TestReseau::partie_en_tant_que(bool serveur) {
  if (serveur)
    partie_serveur();
  else
    partie_client();
}

void TestReseau::envoie_pair(const QByteArray& octets, QTcpSocket* s) {
  if (!s) s = pair.get();
  if (s == pair.get()) envoyes_ += octets.size();
  s->write(octets);
  s->flush();
  s->waitForBytesWritten(1000);
}

QByteArray TestReseau::recu_pair(int octets_attendus, QTcpSocket* s) {
  if (!s) s = pair.get();
  QByteArray recu;
  attend([&] {
    recu += s->readAll();
    return recu.size() >= octets_attendus;
  });
  return recu;
}

QByteArray TestReseau::lit_pair(QTcpSocket* s) {
  if (!s) s = pair.get();
  laisse_passer();
  return s->readAll();
}

bool TestReseau::attend(const std::function<bool()>& condition, int ms, bool silences) {
  // The silence timer ticks as the clock would make it while the test waits.
  QElapsedTimer depuis;
  depuis.start();
  for (qint64 prochain = 0, lus = -1; !QTest::qWaitFor(condition, 5);) {
    if (depuis.elapsed() > ms) return false;
    reseau::Reseau* r = reseau::Reseau::existante();
    if (!silences || !r || depuis.elapsed() < prochain) continue;
    prochain = depuis.elapsed() + reseau::Reseau::delai_silence_ms;
    // Bytes read meanwhile start the silence afresh.
    if (std::exchange(lus, r->octets_lus()) == lus) r->minuterie_silence().tick();
  }
  return true;
}

void TestReseau::laisse_passer(int ms) {
  // Long enough for a message waiting for its sender's silence.
  attend([] { return false; }, std::max(ms, reseau::Reseau::delai_silence_ms * 3));
}

void TestReseau::silences(int n) {
  reseau::Reseau& r = reseau::Reseau::instance();
  if (!attend([&r, this] { return r.octets_lus() >= envoyes_; }, 5000, false)) ADD_FAILURE() << "the bytes did not come";
  for (int i = 0; i < n; ++i) r.minuterie_silence().tick();
  QCoreApplication::processEvents();
}

int TestReseau::tableau(const char* nom_case) {
  const CaseEcran c = case_de_nom(nom_case);
  return tab_echiquier(c.colonne, c.ligne);
}

void TestReseau::place(std::initializer_list<const char*> pieces, int trait) {
  tab_echiquier.vide();
  for (const char* piece : pieces) {
    const int code = code_de_lettre(2, piece[0]);
    const CaseEcran c = case_de_nom(piece + 1);
    ASSERT_NE(code, 0) << piece;
    ASSERT_NE(c.colonne, 0) << piece;
    tab_echiquier(c.colonne, c.ligne) = code;
  }
  p->montre_tab_echiquier();
  historique_positions.clear();
  memorise_position();
  texte_partie.clear();
  texte_partie_longue.clear();
  dernier_trait = trait;
  roque_interdit[BLANC] = roque_interdit[NOIR] = -1;
  passant_blanc = passant_noir = 0;
}

QByteArray TestReseau::coup_pair(const char* depart, const char* arrivee, const char* texte) {
  const int sien = couleur_adverse(couleur_joueur);
  const CaseEcran d = case_de_nom(depart, sien), a = case_de_nom(arrivee, sien);
  return reseau::vers_octets(reseau::message_coup(d.colonne, d.ligne, a.colonne, a.ligne, QString::fromLatin1(texte)));
}

QString TestReseau::chiffres(const char* depart, const char* arrivee) {
  const CaseEcran d = case_de_nom(depart), a = case_de_nom(arrivee);
  return QStringLiteral("%1%2%3%4").arg(d.colonne).arg(d.ligne).arg(a.colonne).arg(a.ligne);
}

void TestReseau::coup(const char* depart, const char* arrivee) {
  clic(depart);
  clic(arrivee);
}

void TestReseau::clic(const char* nom_case) {
  const CaseEcran c = case_de_nom(nom_case);
  QTest::mouseClick(p->Echiquier, Qt::LeftButton, Qt::NoModifier, p->Echiquier->rect_image(c.colonne, c.ligne).center());
}

int TestReseau::controle(const char* n) const {
  const CaseEcran c = case_de_nom(n);
  return p->Echiquier->Piece(c.colonne, c.ligne);
}

QString TestReseau::refus_attendu(const QString& texte_coup, int raison) {
  return texte(720) + QLatin1Char(' ') + texte_coup + QStringLiteral("\r\n") + texte(raison) +
         QStringLiteral("\r\n\r\n") + texte(726) + QStringLiteral("\r\n") + texte(727);
}

void TestReseau::double_clic_ligne(int ligne) {
  QListWidgetItem* item = p->List1->item(ligne);
  if (!item) throw std::runtime_error("no such line in the move list");
  const QPoint centre = p->List1->visualItemRect(item).center();
  QTest::mouseClick(p->List1->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
  QTest::mouseDClick(p->List1->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

std::string TestReseau::position_montree() const {
  return chaine_position_de([this](int c, int l) { return p->Echiquier->Piece(c, l); });
}

QStringList TestReseau::lignes_liste() const {
  QStringList l;
  for (int i = 0; i < p->List1->count(); ++i) l << p->List1->item(i)->text();
  return l;
}

QStringList TestReseau::lignes_chat() const { return p->Text1->toPlainText().split(QLatin1Char('\n')); }

QStringList TestReseau::journal() {
  QStringList l;
  l.swap(lignes_journal);
  return l;
}
