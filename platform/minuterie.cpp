#include "platform/minuterie.h"

#include <QElapsedTimer>

namespace plateforme {

namespace {
bool horloge_coupee = false;
qint64 temps_essai = 0;
}  // namespace

qint64 instant_ms() {
  if (horloge_coupee) return temps_essai;
  static QElapsedTimer depart = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return depart.elapsed();
}

void MinuteriesEnTest::avance(qint64 ms) {
  if (ms > 0) temps_essai += ms;
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
  if (horloge_coupee) temps_essai += interval_;
  emit Timer();
  return true;
}

void MinuteriesEnTest::active() { horloge_coupee = true; }
void MinuteriesEnTest::desactive() { horloge_coupee = false; }
bool MinuteriesEnTest::actif() { return horloge_coupee; }

}  // namespace plateforme
