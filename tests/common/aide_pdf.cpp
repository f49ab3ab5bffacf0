#include "tests/common/aide_pdf.h"

#include <QProcess>
#include <QRegularExpression>

#include "platform/imprimante.h"

namespace {
QString sortie(const QString& programme, const QStringList& arguments) {
  QProcess p;
  p.start(programme, arguments);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return QString();
  return QString::fromUtf8(p.readAllStandardOutput());
}
}  // namespace

QStringList pages_pdf(const QString& chemin) {
  QString texte = sortie(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), chemin, QStringLiteral("-")});
  // pdftotext ends every page with a form feed.
  if (texte.endsWith(QLatin1Char('\f'))) texte.chop(1);
  if (texte.isEmpty()) return {};
  return texte.split(QLatin1Char('\f'));
}

int nb_pages_pdf(const QString& chemin) {
  static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
  const QRegularExpressionMatch m = pages.match(sortie(QStringLiteral("pdfinfo"), {chemin}));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QStringList lignes_page(const QString& page) {
  QStringList l;
  for (const QString& ligne : page.split(QLatin1Char('\n')))
    if (!ligne.trimmed().isEmpty()) l << ligne.trimmed();
  return l;
}

QStringList impressions() { return plateforme::ImpressionsEnTest::fichiers(); }
