// The sound player's test seam and the window timers driven by the test.
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/minuterie.h"
#include "platform/son.h"
#include "tests/common/aide_tests.h"

using plateforme::Minuterie;
using plateforme::MinuteriesEnTest;
using plateforme::SonsEnTest;

TEST(Son, LeLecteurEnregistreurRetientLesCheminsEtPeutEchouer) {
  SonsEnTest::active();
  EXPECT_TRUE(plateforme::joue_fichier_son("/a/b.wav"));
  EXPECT_TRUE(plateforme::joue_fichier_son(""));
  SonsEnTest::echoue(true);
  EXPECT_FALSE(plateforme::joue_fichier_son("/c.wav"));
  EXPECT_EQ(SonsEnTest::joues(), (QStringList{"/a/b.wav", "", "/c.wav"}));
  EXPECT_FALSE(plateforme::sortie_audio_presente());
  SonsEnTest::efface();
  EXPECT_TRUE(SonsEnTest::joues().isEmpty());
  EXPECT_TRUE(plateforme::joue_fichier_son("/d.wav")) << "efface() also ends the failure mode";
  SonsEnTest::desactive();
  EXPECT_FALSE(SonsEnTest::actif());
}

TEST(Son, LeLecteurDuSystemeRefuseUnFichierAbsentOuQuiNEstPasUnWav) {
  SonsEnTest::desactive();
  QTemporaryDir dossier;
  EXPECT_FALSE(plateforme::joue_fichier_son(dossier.filePath("absent.wav")));
  QFile faux(dossier.filePath("faux.wav"));
  ASSERT_TRUE(faux.open(QIODevice::WriteOnly));
  faux.write("ceci n'est pas un son");
  faux.close();
  EXPECT_FALSE(plateforme::joue_fichier_son(faux.fileName()));
  EXPECT_TRUE(plateforme::joue_fichier_son(QString())) << "an empty path only stops the sound";
}

TEST(Son, SansSortieAudioLeProgrammeResteMuetEtLeDitUneFoisAuPlus) {
  SonsEnTest::desactive();
  const QString wav = QStringLiteral(MVD_SOURCE_DIR "/data/son/up.wav");
  testing::internal::CaptureStderr();
  const bool sortie = plateforme::sortie_audio_presente();
  bool joues = true;
  if (!sortie)
    for (int i = 0; i < 3; ++i) joues = plateforme::joue_fichier_son(wav) && joues;
  plateforme::sortie_audio_presente();
  const QString erreurs = QString::fromStdString(testing::internal::GetCapturedStderr());
  if (sortie) GTEST_SKIP() << "this machine has an audio output";
  EXPECT_TRUE(joues) << "a readable sound counts as played on a silent machine";
  EXPECT_LE(erreurs.count(QStringLiteral("no audio output")), 1) << erreurs.toStdString();
}

TEST(Son, LesFichiersLivresSontDesWavMonoCourts) {
  const QStringList noms = {"erreur", "mat", "up", "down", "connect", "dring", "comportement",
                            "mauvais", "je-suis-faible", "raisonable", "commencer", "beau-ca"};
  for (const QString& nom : noms) {
    QFile f(QStringLiteral(MVD_SOURCE_DIR "/data/son/") + nom + ".wav");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << nom.toStdString();
    const QByteArray tete = f.read(44);
    ASSERT_EQ(tete.size(), 44);
    EXPECT_TRUE(tete.startsWith("RIFF") && tete.mid(8, 4) == "WAVE") << nom.toStdString();
    const auto u16 = [&](int i) { return quint8(tete[i]) | (quint8(tete[i + 1]) << 8); };
    const auto u32 = [&](int i) { return quint32(u16(i)) | (quint32(u16(i + 2)) << 16); };
    EXPECT_EQ(u16(22), 1) << nom.toStdString() << ": mono";
    EXPECT_GE(u32(24), 8000u);
    EXPECT_LE(u32(24), 16000u);
    EXPECT_LT(f.size(), 200 * 1024) << nom.toStdString();
  }
}

TEST(Minuterie, NeBatQuEnMarcheEtSeulementQuandLeTestLeDemande) {
  MinuteriesEnTest::active();
  Minuterie t;
  QSignalSpy battements(&t, &Minuterie::Timer);
  EXPECT_FALSE(t.en_marche());
  EXPECT_FALSE(t.tick()) << "a stopped timer does not tick";
  t.Interval(1000);
  EXPECT_TRUE(t.en_marche());
  EXPECT_TRUE(t.tick());
  EXPECT_TRUE(t.tick());
  EXPECT_EQ(battements.count(), 2);
  t.Interval(0);
  EXPECT_FALSE(t.tick());
  EXPECT_EQ(battements.count(), 2);
  t.Interval(-5);
  EXPECT_EQ(t.Interval(), 0) << "a negative interval stands for a stopped timer";
  EXPECT_EQ(t.property("Interval").toInt(), 0);
}


TEST(Minuterie, AvecLHorlogeDuSystemeElleBatSeule) {
  MinuteriesEnTest::desactive();
  Minuterie t;
  QSignalSpy battements(&t, &Minuterie::Timer);
  t.Interval(5);
  EXPECT_TRUE(battements.wait(2000));
  t.Interval(0);
  const int vus = battements.count();
  QTest::qWait(30);
  EXPECT_EQ(battements.count(), vus) << "interval 0 stops the system clock too";
  MinuteriesEnTest::active();
}
