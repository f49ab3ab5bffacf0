// What every test program shares: a fresh program state per test, queued
// message-box answers, a temporary program folder.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "platform/boites.h"

// Base fixture: resets the shared game state and the recorded boxes, and
// points the program folder at a temporary folder.
class TestMorvandel : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  QString dossier() const { return dossier_->path(); }

 private:
  std::unique_ptr<QTemporaryDir> dossier_;
};

// Sets up a board from an 8-line diagram drawn as the screen shows it (top
// line first), one character per square: "." empty, FEN letters otherwise.
void pose_diagramme(const char* const lignes[8]);
