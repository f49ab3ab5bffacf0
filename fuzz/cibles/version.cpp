// The new-version document: any bytes as the document fetched. A broken
// document announces no version; an announced version compares the same
// way twice and against itself.
#include "app/nouvelle_version.h"
#include "fuzz/cibles/cibles.h"

namespace fuzz {

std::string version(const std::uint8_t* donnees, std::size_t taille) {
  const DocumentVersion d =
      lit_document_version(QByteArray(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille)));
  if (!d.erreur.isEmpty() && !d.version.isEmpty()) faute("a broken document announces a version");
  const std::optional<int> ecart = compare_version(d.version, 5, 0, 1);
  if (ecart && (*ecart < -1 || *ecart > 1)) faute("a comparison outside -1..1");
  if (ecart) {
    // A version read is equal to itself, whatever its numbers.
    const QStringList parties = d.version.trimmed().split(QLatin1Char('.'));
    int n[3] = {0, 0, 0};
    bool petits = true;
    for (qsizetype i = 0; i < parties.size(); ++i) {
      const long long v = parties[i].trimmed().toLongLong();
      petits = petits && v <= 1000000;
      n[i] = static_cast<int>(v % 1000001);
    }
    if (petits && compare_version(d.version, n[0], n[1], n[2]) != 0) faute("a version is not equal to itself");
  }
  if (!d.erreur.isEmpty()) return "erreur";
  return ecart ? "version " + std::to_string(*ecart) : "sans version";
}

}  // namespace fuzz
