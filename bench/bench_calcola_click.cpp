// Time from a click on CALCOLA to the results shown, in the real windows on the
// offscreen platform: reading the fields, the calculation and the result boxes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "app/kind_windows.h"

namespace {

using Fields = std::vector<std::pair<const char*, const char*>>;

// The window of the kind called `kind`, kept for the whole run.
QWidget& open_window(std::string_view kind, const Fields& fields) {
  static std::vector<std::unique_ptr<QWidget>> windows;
  for (const fondara::window::KindWindow* entry : fondara::app::kind_windows())
    if (entry->kind->name == kind) windows.push_back(entry->make());
  QWidget& window = *windows.back();
  for (const auto& [field, text] : fields)
    window.findChild<QLineEdit*>(QString::fromLatin1(field))->setText(QString::fromLatin1(text));
  return window;
}

void click_until_shown(benchmark::State& state, QWidget& window) {
  auto* calcola = window.findChild<QPushButton*>(QStringLiteral("calcola"));
  auto* q_limite = window.findChild<QLineEdit*>(QStringLiteral("Q_limite"));
  for (auto _ : state) {
    q_limite->clear();
    calcola->click();
    if (q_limite->text().isEmpty()) state.SkipWithError("no result shown");
  }
}

void CalcolaCoesivi(benchmark::State& state) {
  QWidget& window = open_window("coesivi", {{"lunghezza", "10"},
                                            {"larghezza", "2"},
                                            {"altezza", "1"},
                                            {"peso_terreno_rinterro", "1800"},
                                            {"coesione_non_drenata", "0,5"}});
  click_until_shown(state, window);
}
BENCHMARK(CalcolaCoesivi)->Unit(benchmark::kMicrosecond);

void CalcolaSciolti(benchmark::State& state) {
  QWidget& window = open_window("sciolti", {{"lunghezza", "10"},
                                            {"larghezza", "2"},
                                            {"altezza", "1"},
                                            {"angolo", "30"},
                                            {"coesione_drenata", "0"},
                                            {"peso_terreno_fondazione", "1900"},
                                            {"peso_terreno_rinterro", "1800"}});
  click_until_shown(state, window);
}
BENCHMARK(CalcolaSciolti)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
