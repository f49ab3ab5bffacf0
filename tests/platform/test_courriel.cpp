// The mail layer: the message composed and read back, hostile fields
// refused, the transport run as sendmail with the recipient as an argument,
// its failures reported, and one real send through msmtp to a local sink.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QElapsedTimer>

#include "platform/courriel.h"
#include "tests/common/aide_courriel.h"
#include "tests/common/aide_tests.h"
#include "tests/platform/puits_smtp.h"

using plateforme::Courriel;
using plateforme::CourrielsEnTest;

namespace {

class CourrielTest : public TestMorvandel {
 protected:
  QString ecrit_fichier(const QString& nom, const QByteArray& contenu) {
    const QString chemin = dossier() + QLatin1Char('/') + nom;
    QFile f(chemin);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
    return chemin;
  }
  static QString lf_en_crlf(QString t) {
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
  }
};

const QDateTime UNE_DATE(QDate(2026, 12, 9), QTime(18, 2, 48), Qt::OffsetFromUTC, 3600);

}  // namespace

TEST_F(CourrielTest, LeMessageComposeSeRelitTelQuIlAEteEcrit) {
  QByteArray binaire;
  for (int i = 0; i < 1000; ++i) binaire += static_cast<char>((i * 37) & 0xFF);
  const QString longue = QString(200, QChar(0xE9));  // 200 "é": many soft line breaks
  struct Cas {
    const char* nom;
    QString sujet;
    QString corps;
    QList<QPair<QString, QByteArray>> pieces;  // file name, content
  };
  const QList<Cas> cas = {
      {"ascii", "Morvandel - F.E.N. Format", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\r\n", {}},
      {"accents", QStringLiteral("Morvandel - Référence : 0034/0012 - Nouveau coup !"),
       QStringLiteral("Bonjour !\r\nDernier coup envoyé : Cf3\r\nA bientot\r\n"), {}},
      {"long subject", QString(40, QLatin1Char('x')) + QStringLiteral(" ") + QString(60, QChar(0x0161)) +
                           QStringLiteral(" \U0001F600 fin"),
       longue + "\n", {}},
      {"tricky lines", "=?UTF-8?Q?faux?= sujet",
       "From the start\nligne = signe\nblanc final \ntab final\t\n.\n..point\n\n" + QString(100, QLatin1Char('a')) +
           QStringLiteral(" ") + QString(100, QLatin1Char('=')),
       {}},
      {"attachments", "Pieces", "Voir les fichiers.\r\n",
       {{"partie.pgn", "[Event \"?\"]\r\n1.e4 e5 *\r\n"}, {QStringLiteral("données \"1\".bin"), binaire},
        {"vide.txt", QByteArray()}, {QString(50, QChar(0xE8)) + QStringLiteral("%20;.pgn"), "x"},
        {QString(70, QLatin1Char('n')) + QStringLiteral(".txt"), "y"}}},
      {"empty", "", "", {}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    Courriel m{"moi@exemple.fr", "adversaire@club.example.org", c.sujet, c.corps, {}};
    for (const auto& [nom, contenu] : c.pieces) m.pieces_jointes << ecrit_fichier(nom, contenu);
    QString erreur;
    const QByteArray brut = plateforme::compose_courriel(m, UNE_DATE, "abc.123@exemple.fr", &erreur);
    ASSERT_FALSE(brut.isEmpty()) << erreur.toStdString();
    const CourrielLu lu = lit_courriel(brut);
    EXPECT_TRUE(lu.defauts.isEmpty()) << lu.defauts.join("\n").toStdString();
    EXPECT_EQ(lu.entetes.value("from"), "moi@exemple.fr");
    EXPECT_EQ(lu.entetes.value("to"), "adversaire@club.example.org");
    EXPECT_EQ(lu.entetes.value("date"), "Wed, 09 Dec 2026 18:02:48 +0100");
    EXPECT_EQ(lu.entetes.value("message-id"), "<abc.123@exemple.fr>");
    EXPECT_EQ(lu.entetes.value("mime-version"), "1.0");
    EXPECT_EQ(lu.sujet, c.sujet);
    QString attendu = lf_en_crlf(c.corps);
    if (!attendu.isEmpty() && !attendu.endsWith(QStringLiteral("\r\n"))) attendu += QStringLiteral("\r\n");
    EXPECT_EQ(lu.corps, attendu);
    ASSERT_EQ(lu.pieces.size(), c.pieces.size());
    for (qsizetype i = 0; i < c.pieces.size(); ++i) {
      EXPECT_EQ(lu.pieces[i].nom_fichier, c.pieces[i].first);
      EXPECT_EQ(lu.pieces[i].contenu, c.pieces[i].second);
    }
    // Nothing in the message is 8-bit: any transport carries it.
    for (char o : brut) ASSERT_LT(static_cast<unsigned char>(o), 128u);
  }
}

TEST_F(CourrielTest, LesPiecesDuMessageSontEcritesCommeLesNormesLesDemandent) {
  struct Cas {
    QByteArray entree, attendu;
  };
  const QList<Cas> qp = {
      {"Bonjour !\r\n", "Bonjour !\r\n"},
      {"a=b", "a=3Db\r\n"},
      {"fin \r\n", "fin=20\r\n"},
      {"From x\n", "=46rom x\r\n"},
      {"\xc3\xa9t\xc3\xa9", "=C3=A9t=C3=A9\r\n"},
      {QByteArray(80, 'a'), QByteArray(75, 'a') + "=\r\n" + QByteArray(5, 'a') + "\r\n"},
      {QByteArray(76, 'a'), QByteArray(76, 'a') + "\r\n"},
  };
  for (const Cas& c : qp) EXPECT_EQ(plateforme::en_quoted_printable(c.entree), c.attendu) << c.entree.toStdString();

  EXPECT_EQ(plateforme::entete_sujet("Morvandel - F.E.N. Format"), "Subject: Morvandel - F.E.N. Format");
  EXPECT_EQ(plateforme::entete_sujet(QStringLiteral("Coup joué")), "Subject: =?UTF-8?Q?Coup_jou=C3=A9?=");

  const QDateTime ouest(QDate(2027, 1, 3), QTime(7, 5, 9), Qt::OffsetFromUTC, -(3 * 3600 + 1800));
  EXPECT_EQ(plateforme::date_courriel(ouest), "Sun, 03 Jan 2027 07:05:09 -0330");
  EXPECT_EQ(plateforme::date_courriel(UNE_DATE), "Wed, 09 Dec 2026 18:02:48 +0100");
}

TEST_F(CourrielTest, UneAdresseOuUnSujetQuiAjouteraientUnEnteteOuUnDestinataireSontRefuses) {
  FauxSendmail transport(dossier() + "/transport");
  enum Champ { DE, A, SUJET };
  struct Cas {
    Champ champ;
    QString valeur;
    const char* raison;  // a word of the message
  };
  const QList<Cas> cas = {
      {A, "victime@exemple.fr\r\nBcc: tous@exemple.fr", "saut de ligne"},
      {A, "victime@exemple.fr\nX: y", "saut de ligne"},
      {A, "victime@exemple.fr\r", "saut de ligne"},
      {A, QStringLiteral("victime@exemple.fr\u2028Bcc: x@y.fr"), "saut de ligne"},
      {A, "un@exemple.fr, deux@exemple.fr", "seule adresse"},
      {A, "un@exemple.fr;deux@exemple.fr", "seule adresse"},
      {A, "un@exemple.fr deux@exemple.fr", "seule adresse"},
      {A, "un@deux@exemple.fr", "seule adresse"},
      {A, "-oQ/tmp/x@exemple.fr", "incorrecte"},
      {A, "Nom <un@exemple.fr>", "incorrecte"},
      {A, "<un@exemple.fr>", "incorrecte"},
      {A, "\"a\"@exemple.fr", "incorrecte"},
      {A, "sansarobase", "incorrecte"},
      {A, "@exemple.fr", "incorrecte"},
      {A, "un@", "incorrecte"},
      {A, "un@exemple..fr", "incorrecte"},
      {A, QStringLiteral("élève@exemple.fr"), "incorrecte"},
      {A, QString("un@exemple.fr") + QChar(0), "incorrecte"},
      {DE, "moi@exemple.fr\r\nBcc: tous@exemple.fr", "saut de ligne"},
      {DE, "moi@exemple.fr,autre@exemple.fr", "seule adresse"},
      {DE, "", "vide"},
      {SUJET, "Coup\r\nBcc: tous@exemple.fr", "une ligne"},
      {SUJET, "Coup\nBcc: tous@exemple.fr", "une ligne"},
      {SUJET, "Coup\rBcc: tous@exemple.fr", "une ligne"},
      {SUJET, QStringLiteral("Coup\u0085Bcc"), "une ligne"},
      {SUJET, QString("Coup") + QChar(0) + "x", "contrôle"},
      {SUJET, QString("Coup") + QChar(0x1B) + "[2J", "contrôle"},
      {SUJET, QString("Coup") + QChar(0x7F) + "x", "contrôle"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.valeur.toStdString());
    Courriel m{"moi@exemple.fr", "adversaire@exemple.org", "Sujet", "Corps\r\n", {}};
    (c.champ == DE ? m.expediteur : c.champ == A ? m.destinataire : m.sujet) = c.valeur;
    const QString raison = c.champ == SUJET ? plateforme::defaut_sujet(c.valeur) : plateforme::defaut_adresse(c.valeur);
    EXPECT_TRUE(raison.contains(QString::fromUtf8(c.raison))) << raison.toStdString();
    EXPECT_FALSE(raison.contains(QLatin1Char('\n'))) << "the message shows the line break, it does not make one";
    QString erreur;
    EXPECT_TRUE(plateforme::compose_courriel(m, UNE_DATE, "x@y", &erreur).isEmpty());
    EXPECT_EQ(erreur, raison);
    EXPECT_FALSE(plateforme::envoie_courriel(m, &erreur));
    EXPECT_EQ(erreur, raison);
  }
  EXPECT_EQ(transport.nb_envois(), 0) << "nothing refused reaches the transport";

  for (const char* bonne : {"joueur@exemple.fr", "a.b+c_d@sous.domaine.example.org", "X-9@e.x", "o'brien@club.ie"})
    EXPECT_EQ(plateforme::defaut_adresse(bonne), QString()) << bonne;
  for (const char* bon : {"", "Morvandel - Référence : 0034/0012 - Nouveau coup !", "tab\tdedans"})
    EXPECT_EQ(plateforme::defaut_sujet(QString::fromUtf8(bon)), QString()) << bon;
}

TEST_F(CourrielTest, LeTransportRecoitLExpediteurEtLeSeulDestinataireEnArgumentsEtLeMessageEnEntree) {
  FauxSendmail transport(dossier() + "/transport");
  EXPECT_EQ(plateforme::programme_envoi(), transport.chemin());
  const QString piece = ecrit_fichier("partie.pgn", "1.e4 e5 *\r\n");
  Courriel m{"moi@exemple.fr", "adversaire@exemple.org", QStringLiteral("Référence : 0034/0012"),
             QStringLiteral("Nouveau coup (PGN): Cf3\n"), {piece}};
  QString erreur;
  ASSERT_TRUE(plateforme::envoie_courriel(m, &erreur)) << erreur.toStdString();
  ASSERT_EQ(transport.nb_envois(), 1);
  EXPECT_EQ(transport.arguments(1), (QStringList{"-i", "-f", "moi@exemple.fr", "--", "adversaire@exemple.org"}));
  const CourrielLu lu = lit_courriel(transport.entree(1));
  EXPECT_TRUE(lu.defauts.isEmpty()) << lu.defauts.join("\n").toStdString();
  EXPECT_EQ(lu.sujet, m.sujet);
  EXPECT_EQ(lu.corps, QStringLiteral("Nouveau coup (PGN): Cf3\r\n"));
  ASSERT_EQ(lu.pieces.size(), 1);
  EXPECT_EQ(lu.pieces[0].nom_fichier, "partie.pgn");
  EXPECT_EQ(lu.pieces[0].contenu, "1.e4 e5 *\r\n");
  EXPECT_TRUE(lu.entetes.value("message-id").endsWith("@exemple.fr>"));
  const QDateTime date = QDateTime::fromString(QString::fromLatin1(lu.entetes.value("date")), Qt::RFC2822Date);
  ASSERT_TRUE(date.isValid());
  EXPECT_LT(qAbs(date.secsTo(QDateTime::currentDateTime())), 300);
}

TEST_F(CourrielTest, UnTransportAbsentMuetOuEnEchecEstDitEtRienNEstEnvoye) {
  const Courriel m{"moi@exemple.fr", "adversaire@exemple.org", "Sujet", QString(300000, QLatin1Char('x')), {}};
  QString erreur;

  // No transport at all.
  EXPECT_TRUE(plateforme::programme_envoi().isEmpty());
  EXPECT_TRUE(plateforme::defaut_transport().contains("msmtp"));
  EXPECT_FALSE(plateforme::envoie_courriel(m, &erreur));
  EXPECT_EQ(erreur, plateforme::defaut_transport());

  // A transport that refuses: its code and what it said; a big message it
  // does not read does not bring the program down.
  FauxSendmail refuse(dossier() + "/refuse", 75, QStringLiteral("relais refusé"));
  EXPECT_TRUE(plateforme::defaut_transport().isEmpty());
  EXPECT_FALSE(plateforme::envoie_courriel(m, &erreur));
  EXPECT_TRUE(erreur.contains("75")) << erreur.toStdString();
  EXPECT_TRUE(erreur.contains(QStringLiteral("relais refusé"))) << erreur.toStdString();
  const QString sourd = ecrit_fichier("sourd", "#!/bin/sh\nexit 1\n");
  QFile::setPermissions(sourd, QFile::ReadOwner | QFile::ExeOwner);
  CourrielsEnTest::definit_programme(sourd);
  EXPECT_FALSE(plateforme::envoie_courriel(m, &erreur));
  EXPECT_TRUE(erreur.contains(QStringLiteral("code 1"))) << erreur.toStdString();

  // One that never answers is stopped at the time limit.
  const QString muet = ecrit_fichier("muet", "#!/bin/sh\ncat > /dev/null\nexec sleep 30\n");
  QFile::setPermissions(muet, QFile::ReadOwner | QFile::ExeOwner);
  CourrielsEnTest::definit_programme(muet);
  CourrielsEnTest::definit_delai_ms(300);
  QElapsedTimer chrono;
  chrono.start();
  EXPECT_FALSE(plateforme::envoie_courriel(m, &erreur));
  EXPECT_LT(chrono.elapsed(), 10000);
  EXPECT_TRUE(erreur.contains(QStringLiteral("pas répondu"))) << erreur.toStdString();

  // A file that is not a program, and an attachment that went away.
  CourrielsEnTest::definit_programme(ecrit_fichier("texte", "pas un programme"));
  EXPECT_TRUE(plateforme::programme_envoi().isEmpty());
  FauxSendmail bon(dossier() + "/bon");
  Courriel avec_piece = m;
  avec_piece.pieces_jointes << dossier() + "/disparue.pgn";
  EXPECT_FALSE(plateforme::envoie_courriel(avec_piece, &erreur));
  EXPECT_TRUE(erreur.contains("disparue.pgn"));
  EXPECT_EQ(bon.nb_envois(), 0);
}

TEST_F(CourrielTest, UnEnvoiReelParMsmtpArriveEntierAuServeurDeCourrier) {
  const QString msmtp = QStandardPaths::findExecutable("msmtp");
  ASSERT_FALSE(msmtp.isEmpty()) << "msmtp is installed by tools/installe_paquets.sh";
  PuitsSmtp puits;
  const QString config = ecrit_fichier("msmtprc",
                                       "defaults\nauth off\ntls off\nsyslog off\n"
                                       "account essai\nhost 127.0.0.1\nport 25\nfrom inconnu@exemple.fr\n"
                                       "domain morvandel.test\naccount default : essai\n");
  QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner);
  const QString transport = ecrit_fichier(
      "sendmail", QStringLiteral("#!/bin/sh\nexec '%1' -C '%2' --host=127.0.0.1 --port=%3 \"$@\"\n")
                      .arg(msmtp, config)
                      .arg(puits.port())
                      .toUtf8());
  QFile::setPermissions(transport, QFile::ReadOwner | QFile::ExeOwner);
  CourrielsEnTest::definit_programme(transport);

  const QString piece = ecrit_fichier("position.txt", "!!!!!!!!\r\n");
  const QString corps = QStringLiteral("Bonjour !\r\n.\r\n.ligne qui commence par un point\r\nA bientot\r\n");
  const Courriel m{"moi@exemple.fr", "adversaire@exemple.org", QStringLiteral("Référence : 0034/0012 - Nouveau coup !"),
                   corps, {piece}};
  QString erreur;
  ASSERT_TRUE(plateforme::envoie_courriel(m, &erreur)) << erreur.toStdString();
  ASSERT_EQ(puits.recus().size(), 1) << puits.commandes().join(" | ").toStdString();
  const PuitsSmtp::Recu& recu = puits.recus().first();
  EXPECT_EQ(recu.expediteur, "moi@exemple.fr");
  EXPECT_EQ(recu.destinataires, QStringList{"adversaire@exemple.org"});
  const CourrielLu lu = lit_courriel(recu.donnees);
  EXPECT_TRUE(lu.defauts.isEmpty()) << lu.defauts.join("\n").toStdString();
  EXPECT_EQ(lu.entetes.value("to"), "adversaire@exemple.org");
  EXPECT_EQ(lu.sujet, m.sujet);
  EXPECT_EQ(lu.corps, corps);
  ASSERT_EQ(lu.pieces.size(), 1);
  EXPECT_EQ(lu.pieces[0].contenu, "!!!!!!!!\r\n");
}
