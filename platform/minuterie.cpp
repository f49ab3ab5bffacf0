#include "platform/minuterie.h"

namespace plateforme {

namespace {
bool horloge_coupee = false;
}

Minuterie::Minuterie(QObject* parent) : QObject(parent) {
  horloge_.setTimerType(Qt::CoarseTimer);
  connect(&horloge_, &QTimer::timeout, this, [this] {
    if (interval_ != 0) emit Timer();
  });
}

void Minuterie::Interval(int ms) {
  interval_ = ms < 0 ? 0 : ms;
  horloge_.stop();
  if (interval_ != 0 && !horloge_coupee) horloge_.start(interval_);
}

bool Minuterie::tick() {
  if (interval_ == 0) return false;
  emit Timer();
  return true;
}

void MinuteriesEnTest::active() { horloge_coupee = true; }
void MinuteriesEnTest::desactive() { horloge_coupee = false; }
bool MinuteriesEnTest::actif() { return horloge_coupee; }

}  // namespace plateforme
