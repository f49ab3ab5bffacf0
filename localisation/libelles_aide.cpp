#include "localisation/libelles_aide.h"

using namespace lignes_libelles;

// The tip of the day. The check box and the OK button keep their French
// design texts.
std::vector<Libelle> table_frmTip() {
  return {
      L(nullptr, 290),
      L("cmdNextTip", 291),
      L("Label1", 298),
  };
}

// The about box. The credits frame, the buttons, the web-site labels, the
// title and the version keep what the window gives them.
std::vector<Libelle> table_frmAbout() {
  return {
      L(nullptr, 81),
      L("Label1", 510),
      L("Label5", 511),
  };
}

// The new-version window.
std::vector<Libelle> table_release() {
  return {
      L(nullptr, 295),
      L("Command1", 211),
      L("Command2", 82),
  };
}
