#include "platform/langue_messages.h"

#include "langlib/langue.h"

std::int16_t base_texte = 10;

namespace plateforme {

QString texte_message(int numero) { return langue().affiche_texte(base_texte + numero); }

QString avec_detail(const QString& phrase, const QString& detail) {
  const QString d = detail.trimmed();
  if (d.isEmpty()) return phrase;
  return phrase + QLatin1Char('\n') + d;
}

}  // namespace plateforme
