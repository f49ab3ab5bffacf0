// A window timer: it ticks every Interval milliseconds while its interval is
// not 0; interval 0 stops it. Setting an interval (other than 0) restarts the
// count from that moment.
//
// In tests the system clock is switched off for every timer
// (MinuteriesEnTest): nothing ticks by itself, and the test calls tick() to
// deliver one tick exactly as the clock would, only to a running timer.
//
// instant_ms() is the monotonic time the chess clocks count with. In tests it
// is a clock of their own: it moves only when a running timer ticks (by its
// interval) or when the test moves it (MinuteriesEnTest::avance).
#pragma once

#include <QObject>
#include <QTimer>

namespace plateforme {

class Minuterie : public QObject {
  Q_OBJECT
  Q_PROPERTY(int Interval READ Interval WRITE Interval)

 public:
  explicit Minuterie(QObject* parent = nullptr);

  int Interval() const { return interval_; }
  void Interval(int ms);
  bool en_marche() const { return interval_ != 0; }

  // Delivers one tick now when the timer runs; false (and no tick) when it
  // stands. Meant for tests.
  bool tick();

 signals:
  // One tick (the handler of a timer named TimerN is TimerN_Timer).
  void Timer();

 private:
  QTimer horloge_;
  int interval_ = 0;
};

// Milliseconds of a monotonic clock (its origin is of no meaning).
qint64 instant_ms();

class MinuteriesEnTest {
 public:
  // The test clock moves `ms` milliseconds on.
  static void avance(qint64 ms);
  // Off: no timer created or started from now on uses the system clock.
  static void active();
  static void desactive();
  static bool actif();
};

}  // namespace plateforme
