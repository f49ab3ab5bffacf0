// Build step: turns the language files textes/<code>.txt into one C++ source
// holding every text under its id, sorted by id.
//
//   mvdlang_genere <output.cpp> <file.txt>...
//
// Each file is named after its language code (fr, en, it, es, de, pt, ru,
// pl). A fault in a file stops the build with the file, the line and what is
// wrong.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "langlib/lecture_textes.h"

namespace {

// The text as a C++ string literal: printable ASCII as it stands, every other
// byte as a three-digit octal escape (which cannot run into the next char).
std::string litteral(const std::string& texte) {
  std::string sortie = "\"";
  for (const char c : texte) {
    const auto o = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      sortie += '\\';
      sortie += c;
    } else if (o >= 0x20 && o < 0x7F && c != '?') {
      sortie += c;
    } else {
      char tampon[8];
      std::snprintf(tampon, sizeof tampon, "\\%03o", o);
      sortie += tampon;
    }
  }
  return sortie + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: mvdlang_genere <output.cpp> <file.txt>...\n";
    return 2;
  }
  std::map<int, std::string> par_id;
  bool vu[8] = {};
  for (int a = 2; a < argc; ++a) {
    const std::filesystem::path chemin(argv[a]);
    const int langue = mvdlang::indice_langue(chemin.stem().string());
    if (langue < 0 || chemin.extension() != ".txt") {
      std::cerr << chemin.string() << ": not a language file (expected one of fr, en, it, es, de, pt, ru, pl .txt)\n";
      return 1;
    }
    if (vu[langue]) {
      std::cerr << chemin.string() << ": language given twice\n";
      return 1;
    }
    vu[langue] = true;
    std::ifstream entree(chemin, std::ios::binary);
    if (!entree) {
      std::cerr << chemin.string() << ": cannot be read\n";
      return 1;
    }
    std::ostringstream contenu;
    contenu << entree.rdbuf();
    std::map<int, std::string> textes;
    std::string erreur;
    if (!mvdlang::lit_textes(contenu.str(), textes, erreur)) {
      std::cerr << chemin.string() << ": " << erreur << "\n";
      return 1;
    }
    for (auto& [numero, texte] : textes) par_id.emplace(langue * 1000 + 10 + numero, std::move(texte));
  }

  std::ostringstream sortie;
  sortie << "// Made by mvdlang_genere from langlib/textes/*.txt at build time.\n"
            "#include \"langlib/table_textes.h\"\n\n"
            "namespace mvdlang {\n\n"
            "const EntreeTexte table_textes[] = {\n";
  for (const auto& [id, texte] : par_id) sortie << "    {" << id << ", " << litteral(texte) << "},\n";
  if (par_id.empty()) sortie << "    {-1, \"\"},\n";
  sortie << "};\n\nconst int nb_textes = " << par_id.size() << ";\n\n}  // namespace mvdlang\n";

  // Rewrite the output only when it changes, so that the library is not
  // rebuilt for nothing.
  const std::string nouveau = sortie.str();
  {
    std::ifstream ancien(argv[1], std::ios::binary);
    if (ancien) {
      std::ostringstream tampon;
      tampon << ancien.rdbuf();
      if (tampon.str() == nouveau) return 0;
    }
  }
  std::ofstream fichier(argv[1], std::ios::binary | std::ios::trunc);
  fichier << nouveau;
  if (!fichier) {
    std::cerr << argv[1] << ": cannot be written\n";
    return 1;
  }
  return 0;
}
