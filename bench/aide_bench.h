// What the benches share: timings summed up as median, 99th percentile and
// worst, the machine's load beside each figure, and the opening base.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

// Timings of one case, in any unit.
class Mesures {
 public:
  void ajoute(double v) { valeurs_.push_back(v); }
  std::size_t nombre() const { return valeurs_.size(); }
  bool vide() const { return valeurs_.empty(); }
  double mediane() const {
    if (valeurs_.empty()) return 0;
    const std::vector<double> t = triees();
    const std::size_t n = t.size();
    return n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
  }
  // The value that `pour_cent` percent of the timings do not exceed (nearest
  // rank), so that with few timings the 99th percentile is the worst.
  double centile(double pour_cent) const {
    if (valeurs_.empty()) return 0;
    const std::vector<double> t = triees();
    const auto rang = static_cast<std::size_t>(std::ceil(pour_cent / 100.0 * static_cast<double>(t.size())));
    return t[std::clamp<std::size_t>(rang, 1, t.size()) - 1];
  }
  double plus_petite() const { return valeurs_.empty() ? 0 : *std::min_element(valeurs_.begin(), valeurs_.end()); }
  double pire() const { return valeurs_.empty() ? 0 : *std::max_element(valeurs_.begin(), valeurs_.end()); }

 private:
  std::vector<double> triees() const {
    std::vector<double> t = valeurs_;
    std::sort(t.begin(), t.end());
    return t;
  }
  std::vector<double> valeurs_;
};

// The machine's load averages (the three first fields of /proc/loadavg),
// "load=1.23/2.34/3.45" to print beside a figure.
inline std::string charge() {
  std::ifstream f("/proc/loadavg");
  std::string a, b, c;
  if (!(f >> a >> b >> c)) return "load=unknown";
  return "load=" + a + "/" + b + "/" + c;
}

// " median_<unite>=... p99_<unite>=... worst_<unite>=... runs=N load=..."
inline std::string resume(const Mesures& m, const char* unite, int decimales = 3) {
  char t[256];
  std::snprintf(t, sizeof t, " median_%s=%.*f p99_%s=%.*f worst_%s=%.*f runs=%zu ", unite, decimales, m.mediane(),
                unite, decimales, m.centile(99), unite, decimales, m.pire(), m.nombre());
  return t + charge();
}

// A copy of the shipped opening base (base/eco.db beside the bench) in
// `dossier`, for a bench that changes it: its path, or empty with a message
// naming `programme` when the project has not been built.
inline QString copie_base_livree(const QTemporaryDir& dossier, const char* programme) {
  const QString livree = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("base/eco.db"));
  if (!QFile::exists(livree)) {
    std::fprintf(stderr, "%s: %s is missing; build the project first\n", programme, qPrintable(livree));
    return QString();
  }
  const QString copie = dossier.filePath(QStringLiteral("eco.db"));
  QFile::copy(livree, copie);
  return copie;
}

}  // namespace bench
