// What the benches that work on the opening base share.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>

namespace bench {

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
