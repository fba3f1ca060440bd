// The window under load: what a click on Berechnen costs with a short distance and with a
// pasted distance of 30,000 digits in its field, and what the paste itself costs Qt's line
// edit. Goal: well under a frame (16.7 ms at 60 Hz).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "window/frm_warp.h"

namespace {

window::frmWarp* theForm = nullptr;

void pasteDistance(const QString& distance) {
    QGuiApplication::clipboard()->setText(distance);
    QLineEdit* box = theForm->field("txtEntfernung");
    box->selectAll();
    box->paste();
}

// One click on Berechnen, and the repaint that follows.
void clickWithDistance(benchmark::State& state, const QString& distance) {
    theForm->field("txtWarp")->setText("9.5");
    pasteDistance(distance);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        theForm->cmdRechnen()->click();
        QCoreApplication::processEvents();
    }
}

void BM_ClickShortDistance(benchmark::State& state) {
    clickWithDistance(state, "4.2");
}
BENCHMARK(BM_ClickShortDistance)->Unit(benchmark::kMicrosecond);

void BM_ClickWith30000DigitDistance(benchmark::State& state) {
    clickWithDistance(state, QString(30000, QLatin1Char('7')));
}
BENCHMARK(BM_ClickWith30000DigitDistance)->Unit(benchmark::kMicrosecond);

// Pasting 30,000 digits, a click, and the repaint: the whole of what the user waits for.
void BM_Paste30000DigitsAndClick(benchmark::State& state) {
    theForm->field("txtWarp")->setText("9.5");
    const QString digits(30000, QLatin1Char('7'));
    for (auto _ : state) {
        pasteDistance(digits);
        theForm->cmdRechnen()->click();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Paste30000DigitsAndClick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // US English settings and no display needed: the figures do not depend on either.
    qputenv("LC_ALL", "en_US.UTF-8");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    window::frmWarp form;
    theForm = &form;
    form.show();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
