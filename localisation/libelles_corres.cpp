#include "localisation/libelles_corres.h"

using namespace lignes_libelles;

std::vector<Libelle> table_corres() {
  return {
      L(nullptr, 409),
      L("Label22", 421),
      L("Label23", 422),
      L("Check2", 423),
      L("Label4", 424),
      L("Label9", 425),
      L("Label18", 425),
      L("Label20", 425),
      L("Check1", 426),
      L("Label13", 427),
      L("Label17", 428),
      L("Label15", 429),
      L("Label16", 429),
      L("Label19", 430),
      L("Label21", 430),
      L("Label14", 440),
      deux_points("Label1", 414),
      deux_points("Label2", 415),
      deux_points("Label5", 416),
      deux_points("Label11", 419),
      deux_points("Label10", 417),
      L("Frame2", 431),
      L("Option1", 1, 432),
      L("Option1", 2, 433),
      L("Command2", 211),
      L("Command7", 434),
      L("Command6", 435),
      L("Command3", 436),
      L("Command4", 437),
      L("Command5", 438),
      L("Command8", 439),
      L("Command1", 125),
  };
}

std::vector<Libelle> table_prepare() {
  return {
      L(nullptr, 434),
      L("Frame1", 450),
      L("Frame2", 451),
      L("Label2", 452),
      L("Label3", 453),
      L("Label4", 454),
      L("Label1", 455),
      L("Command1", 27),
      L("Command2", 456),
      L("Command3", 314),
  };
}

std::vector<Libelle> table_saisie_coup() {
  return {
      L(nullptr, 435),
      L("Label1", 457),
      L("Frame1", 458),
      L("Label2", 459),
      L("Label6", 460),
      L("Label5", 461),
      L("Frame2", 462),
      L("Option1", 1, 463),
      L("Option1", 2, 464),
      L("Option1", 0, 465),
      L("Label3", 466),
      L("Command2", 467),
      L("Command1", 211),
  };
}
