#include "localisation/libelles_plateau.h"

using namespace lignes_libelles;

// The board window. The replay buttons, the set-up button "&Ok", the chat
// frame's title and every tooltip keep their French design texts.
std::vector<Libelle> table_plateau() {
  return {
      L(nullptr, 28),
      L("Command1", 49),
      L("Frame1", 89),
      L("Command3", 90),
      L("Command2", 91),
      L("Command5", 94),
      L("Command6", 125),
      L("Label3", 95),
      L("Label2", 96),
      L("Label1", 97),
      L("Label7", 2, 98),
  };
}

// The progress window: only its stop button; each job sets the title.
std::vector<Libelle> table_patience() {
  return {
      L("Command1", 285),
  };
}
