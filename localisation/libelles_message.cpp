#include "localisation/libelles_message.h"

std::vector<Libelle> table_message() {
  return {
      {nullptr, -1, 475, nullptr, nullptr, false},
      {"Label3", -1, 476, nullptr, nullptr, false},
      {"Label5", -1, 477, nullptr, nullptr, false},
      {"Send", -1, 478, nullptr, nullptr, false},
      {"Attach", -1, 479, nullptr, nullptr, false},
      {"Command1", -1, 211, nullptr, nullptr, false},
      {"txtfic", -1, 480, nullptr, nullptr, false},
  };
}
