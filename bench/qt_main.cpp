// The benchmarks' start for those that draw with Qt: an application under Qt's offscreen
// platform, so that no display is needed, then every benchmark linked in.
#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
