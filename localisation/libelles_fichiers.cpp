#include "localisation/libelles_fichiers.h"

using namespace lignes_libelles;

std::vector<Libelle> table_charge() {
  return {
      deux_points("Command3", 1),
      entoure("voir", -1, 231, "<< ", nullptr),
      L("Check1", 237),
      L("Label1", 238),
      L("Label2", 239),
      L("Frame1", 240),
      L("Label9", 241),
      L("Check2", 242),
      L("Label10", 243),
      L("Label8", 244),
      L("Label4", 245),
      L("Label5", 246),
      L("Label3", 247),
      L("Label6", 248),
      L("Frame2", 249),
      L("Command1", 211),
      L("Command2", 250),
      L("Command5", 251),
      L("Command6", 252),
      L("Command4", 253),
      L("Label7", 254),
      L("Frame3", 255),
      L("Check3", 256),
      L("Check4", 257),
      L("Label11", 229),
  };
}

std::vector<Libelle> table_sauve() {
  return {
      L(nullptr, 210),
      L("Command1", 212),
      L("Command2", 211),
      L("Command3", 16),
      L("Check1", 213),
  };
}

std::vector<Libelle> table_xml() {
  return {
      L(nullptr, 310),
      L("Frame1", 311),
      L("Command3", 312),
      L("Label1", 313),
      L("Command2", 314),
      L("Command1", 211),
  };
}
