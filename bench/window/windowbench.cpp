// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on Qt's offscreen platform: one key after a paste of a 10 MB number, from the
// key event to the mirrored controls (the rules, the mirror and the clipboard; painting is
// not part of it). The paste before each key is not timed.
#include "qt/mirror/calculatorwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace tarvelio;

void send(QWidget& window, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

void BM_WindowKeyAfterHugePaste(
    benchmark::State& state, int key, Qt::KeyboardModifiers modifiers, QString text) {
    const QString huge = QStringLiteral("1234567,") + QString(10'000'000 - 8, u'7');
    CalculatorWindow window(NumberFormat::german());
    window.load();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        send(window, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
        if (window.calculator().form().control(Ctl::Digits2).value != 0)
            send(window, Qt::Key_R, Qt::NoModifier, QStringLiteral("r"));
        QGuiApplication::clipboard()->setText(huge);
        send(window, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        send(window, key, modifiers, text);
        QCoreApplication::processEvents();
    }
}
// The keys timed after the paste: name, key, modifiers and the text the key types.
struct TimedKey {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
};
const TimedKey kTimedKeys[] {
    {"R", Qt::Key_R, Qt::NoModifier, "r"},
    {"plus", Qt::Key_Plus, Qt::NoModifier, "+"},
    {"copy", Qt::Key_C, Qt::ControlModifier, "\x03"},
    {"D", Qt::Key_D, Qt::NoModifier, "d"},
    {"C", Qt::Key_C, Qt::NoModifier, "c"},
    {"digit", Qt::Key_5, Qt::NoModifier, "5"},
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const TimedKey& k : kTimedKeys) {
        benchmark::RegisterBenchmark((std::string("BM_WindowKeyAfterHugePaste/") + k.name).c_str(),
            BM_WindowKeyAfterHugePaste, k.key, k.modifiers, QString::fromLatin1(k.text))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(20);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
