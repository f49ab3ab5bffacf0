// What every test program shares: a fresh program state per test, queued
// message-box answers, a temporary program folder.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "platform/boites.h"

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

 private:
  std::unique_ptr<QTemporaryDir> dossier_;
};

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
