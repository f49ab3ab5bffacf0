// What every test program shares: a fresh program state per test, queued
// message-box answers, a temporary program folder.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cctype>
#include <functional>
#include <memory>
#include <string>

#include "platform/boites.h"

class QObject;

// Base fixture: resets the shared game state and the recorded boxes, and
// points the program folder at a temporary folder.
class TestMorvandel : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  QString dossier() const { return dossier_->path(); }
  // The board pictures and the piece set "Morvandel" of the built program,
  // copied into the test's program folder (for a board window to load).
  void installe_images() const;
  // A window test's settings: the board pictures installed, game mode
  // `mode`, sound and clock as asked, no game log, no opening analysis.
  void reglages_fenetre(int mode, bool son, bool horloge) const;

 private:
  std::unique_ptr<QTemporaryDir> dossier_;
};

// Switches the interface to language key `cle` (1 French, 2 English ... 8
// Polish) as the language dialog does; the fixture puts French back.
void passe_en_langue(int cle);

// Sets up a board from an 8-line diagram drawn as the screen shows it (top
// line first), one character per square: "." empty, FEN letters otherwise.
void pose_diagramme(const char* const lignes[8]);

// Runs `travail` in a child process and returns the text it returned (or a
// text saying how the child ended when it did not return). In the child a
// file cannot grow beyond `limite_octets` when it is not negative: a write
// fails part way as on a full disk. With `sans_droits` a child of root runs
// as the unprivileged user "nobody", so that file permissions apply to it.
QString dans_un_enfant(const std::function<QString()>& travail, long long limite_octets = -1,
                       bool sans_droits = false);

// Runs `travail` in a child process and kills it with SIGKILL `delai_us`
// microseconds after it began (when it has not ended by then). True when
// the child was killed, false when it ended first.
bool tue_enfant_apres(const std::function<void()>& travail, long delai_us);

// How long `travail` takes in a child process, in microseconds.
long duree_dans_un_enfant(const std::function<void()>& travail);

// Kills the writer `sauve` (run in a child) at `tirs` moments spread over
// the time it takes, after `remet_avant` put the old file back each time,
// and asks `etat` what each kill left: "ancien" (the old file whole) or
// "nouveau" (the new one complete). Returns the other answers, each with
// the moment of its kill: empty when no kill left a mix. A first run to
// the end must leave "nouveau", or that is the one answer.
QStringList melanges_apres_tirs(const std::function<void()>& sauve, const std::function<void()>& remet_avant,
                                const std::function<QString()>& etat, int tirs = 16);

// What a kill left of a file of bytes `o`: "ancien" (the old bytes whole),
// "nouveau" (the new ones complete) or the size of a mix. `compare`, when
// given, keeps of the bytes what must match the new ones (say, without the
// time a file was written).
QString etat_apres_tir(const QByteArray& o, const QByteArray& ancien, const QByteArray& nouveau,
                       const std::function<QByteArray(const QByteArray&)>& compare = {});

// --- Files ------------------------------------------------------------------
// The bytes of a file, `si_absent` when it cannot be read.
QByteArray octets_fichier(const QString& chemin, const QByteArray& si_absent = QByteArray());
// Writes `octets` as the whole file; a failure fails the test.
void ecrit_octets(const QString& chemin, const QByteArray& octets);
// The files of a folder, hidden ones too.
QStringList fichiers_du_dossier(const QString& dossier);
// Gives a file or a folder the permissions `mode` (0555: a folder that takes
// no new file); false when it cannot.
bool met_droits(const QString& chemin, unsigned mode);

// The name of a case of a parameterised test: its field `nom`, every
// character that is no letter or digit made '_'.
//   INSTANTIATE_TEST_SUITE_P(Suite, Fixture, ::testing::ValuesIn(CAS), NomDuCas());
struct NomDuCas {
  template <class Info>
  std::string operator()(const Info& info) const {
    std::string n;
    for (char ch : std::string(info.param.nom)) n.push_back(std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_');
    return n;
  }
};

// The text a control shows: a button's or a label's text, a frame's title, a
// menu item's text; "<absent>" without a control.
QString texte_montre(const QObject* controle);

struct PartieCorres;

// A correspondence game between "Moi" and "Lui" (1600 against 1700, begun on
// 1 March 2026), the user White or Black, with its moves and result.
PartieCorres partie_corres_essai(bool jai_blanc, const QString& coups, int notation, const QString& resultat);
