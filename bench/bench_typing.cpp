// Time to type a long number into a real number field, key by key, on the offscreen
// platform: the key filter, the line edit, the change handling and the repaint of every
// keystroke, as the event loop of the program runs them.
//
// Three numbers of N digits (the argument; 3,003 is the case to watch):
// - digits 1 to 9 over and over: the float range ends at the 40th digit, where the field
//   refuses the text and empties itself (two beeps); typing goes on in the empty field;
// - 10^(N-1), a one and zeros: refused at the 40th digit too, but the zeros typed after it
//   stay (0...0 is a number), so the text grows to N - 40 characters;
// - 0,1234... (N digits): never out of range, every keystroke lengthens the text.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTest>

#include "drained/kind_window.h"
#include "window/toolkit.h"

namespace {

QString cycling_digits(qsizetype digits) {
  QString text;
  for (qsizetype i = 0; i < digits; ++i) text.append(QChar(static_cast<char16_t>(u'1' + i % 9)));
  return text;
}

QString power_of_ten(qsizetype digits) {
  return QStringLiteral("1") + QString(digits - 1, QLatin1Char('0'));
}

QString decimal(qsizetype digits) {
  return QStringLiteral("0,") + cycling_digits(digits - 1);
}

void type_into_lunghezza(benchmark::State& state, const QString& keys) {
  const bool repaint_each_key = state.range(1) != 0;
  const auto window = fondara::drained::drained_window().make();
  window->show();
  auto* field = window->findChild<QLineEdit*>(QStringLiteral("lunghezza"));
  int beeps = 0;
  fondara::window::toolkit().beep = [&beeps] { ++beeps; };
  for (auto _ : state) {
    state.PauseTiming();
    field->clear();
    field->setFocus();
    QApplication::processEvents();
    beeps = 0;
    state.ResumeTiming();
    for (const QChar key : keys) {
      QTest::keyClick(field, key.toLatin1());
      if (repaint_each_key) QApplication::processEvents();
    }
    QApplication::processEvents();
  }
  state.counters["beeps"] = beeps;
  state.counters["text"] = static_cast<double>(field->text().size());
  fondara::window::toolkit() = fondara::window::desktop_toolkit();
}

void CyclingDigits(benchmark::State& state) {
  type_into_lunghezza(state, cycling_digits(state.range(0)));
}
void PowerOfTen(benchmark::State& state) {
  type_into_lunghezza(state, power_of_ten(state.range(0)));
}
void Decimal(benchmark::State& state) {
  type_into_lunghezza(state, decimal(state.range(0)));
}
// Second argument: 1 repaints after every key, as slow typing does; 0 lets the keys come
// faster than the screen is redrawn, as fast typing and key repeat do.
#define FONDARA_TYPING_CASES(name)          \
  BENCHMARK(name)                           \
      ->ArgsProduct({{1001, 3003}, {0, 1}}) \
      ->ArgNames({"digits", "repaint"})     \
      ->Unit(benchmark::kMillisecond)       \
      ->Iterations(3)
FONDARA_TYPING_CASES(CyclingDigits);
FONDARA_TYPING_CASES(PowerOfTen);
FONDARA_TYPING_CASES(Decimal);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
