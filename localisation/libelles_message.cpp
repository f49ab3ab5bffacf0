#include "localisation/libelles_message.h"

using namespace lignes_libelles;

std::vector<Libelle> table_message() {
  return {
      L(nullptr, 475),
      L("Label3", 476),
      L("Label5", 477),
      L("Send", 478),
      L("Attach", 479),
      L("Command1", 211),
      L("txtfic", 480),
  };
}
