// Time from a click on CALCOLA to the results shown, in the real windows on the
// offscreen platform: reading the fields, the calculation and the result boxes. The
// verification window: a footing in both conditions with 1,000 typed combinations and 20
// actions (30 generated combinations), 2,060 checks, shown and painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "app/kind_windows.h"
#include "verifica/text_table.h"

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

// 1,000 combinations, eccentric and inclined both ways, and 20 actions of every group.
QString typed_combinations() {
  QString rows;
  for (int i = 0; i < 1000; ++i)
    rows += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                .arg(800 + i % 97)
                .arg(i % 41 - 20)
                .arg(i % 37 - 18)
                .arg(i % 23 - 11)
                .arg(i % 19 - 9)
                .arg(i % 5 == 0 ? QStringLiteral("sismica") : QStringLiteral("statica"));
  return rows;
}
QString twenty_actions() {
  const char* const types[] = {"G1",  "G1",  "G1",      "G1",     "G2",  "G2",  "G2",
                               "G2",  "Q-A", "Q-B",     "Q-C",    "Q-D", "Q-E", "Q-F",
                               "Q-G", "Q-H", "Q-vento", "Q-neve", "Ex",  "Ey"};
  QString rows;
  for (int i = 0; i < 20; ++i)
    rows += QStringLiteral("Azione %1\t%2\t%3\t%4\t%5\t%6\t%7\n")
                .arg(i + 1)
                .arg(QLatin1StringView(types[i]))
                .arg(i < 8 ? 60 + 5 * i : 10 + i)
                .arg(i % 3)
                .arg(i % 4 - 2)
                .arg(i >= 18 ? 30 : 1)
                .arg(i >= 18 ? 20 : 0);
  return rows;
}

void CalcolaVerifica(benchmark::State& state) {
  QWidget& window = open_window("verifica", {{"larghezza", "2"},
                                             {"lunghezza", "2,5"},
                                             {"profondita", "1,2"},
                                             {"angolo", "30"},
                                             {"coesione_non_drenata", "150"},
                                             {"peso_terreno", "19"},
                                             {"kh_terreno", "0,1"}});
  window.findChild<QRadioButton*>(QStringLiteral("entrambe"))->setChecked(true);
  using fondara::verifica::TextTable;
  auto* typed = window.findChild<TextTable*>(QStringLiteral("combinazioni"));
  auto* actions = window.findChild<TextTable*>(QStringLiteral("azioni"));
  if (!typed->paste(typed_combinations()) || !actions->paste(twenty_actions()))
    return state.SkipWithError("paste refused");
  window.show();
  QCoreApplication::processEvents();
  auto* calcola = window.findChild<QPushButton*>(QStringLiteral("calcola"));
  const QAbstractItemModel* checks =
      window.findChild<QTableView*>(QStringLiteral("verifiche"))->model();
  for (auto _ : state) {
    calcola->click();
    QCoreApplication::processEvents();  // shown: laid out and painted
    if (checks->rowCount() != 2060) state.SkipWithError("not every check shown");
  }
}
BENCHMARK(CalcolaVerifica)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
