#include "localisation/libelles_preferences.h"

using namespace lignes_libelles;

// The preferences dialog: title and tabs, the field labels lab(0..56), the
// column heads of the weight grid, then buttons, check box and frames. The
// tooltip of the factory-values button, the scale figures under the sliders
// and the items of the lists are the dialog's own.
std::vector<Libelle> table_pref() {
  std::vector<Libelle> t = {L(nullptr, 530)};
  const int onglets[5] = {531, 532, 533, 534, 409};
  for (int i = 0; i < 5; ++i) t.push_back(onglet("SSTab1", i, onglets[i]));
  for (int i = 0; i <= 36; ++i) t.push_back(L("lab", i, 540 + i));
  t.push_back(L("lab", 37, 570));
  for (int i = 38; i <= 49; ++i) t.push_back(L("lab", i, 540 + i));
  for (int i = 0; i <= 5; ++i) t.push_back(L("Label8", i, 610 + i));
  const int suite[7] = {575, 577, 606, 607, 608, 609, 604};
  for (int i = 0; i < 7; ++i) t.push_back(L("lab", 50 + i, suite[i]));
  for (const Libelle& l : {L("Command1", 211), L("Command2", 439), L("Command3", 601), L("Command4", 137),
                           L("Check1", 598), L("SSCommand3", 599), L("Frame1", 597), L("Frame2", 605)})
    t.push_back(l);
  return t;
}

// The engine parameter files window; its title is set by the window itself.
std::vector<Libelle> table_parametre() {
  return {
      entoure("Command3", 1, 1, nullptr, " :"),
      entoure("Command3", 2, 1, nullptr, " :"),
      entoure("voir", 1, 231, "<< ", nullptr),
      entoure("voir", 2, 231, "<< ", nullptr),
      L("Command1", 211),
      L("Command2", 652),
      L("Label1", 653),
      L("Frame2", 1, 654),
      L("Frame2", 2, 655),
  };
}
