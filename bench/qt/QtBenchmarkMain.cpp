// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every Qt benchmark (bench/gui/): the one QApplication, made
// before any benchmark runs.

#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
