// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The cost of the rules alone, without Qt: a key, a calculation, a conversion, a choice
// from the currency chooser, and pastes of growing size. After every event the changes
// are taken from the model, as the Qt layer does when it mirrors them; the mirroring
// itself is not part of this.
#include "core/calculator.h"
#include "core/input/keycodes.h"
#include "core/input/memoryclipboard.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tarvelio;

// A calculator as it stands after start-up, with the German number format.
struct Started {
    Calculator calc {NumberFormat::german()};
    Started() {
        calc.Form_Load();
        calc.form().takeChanges();
    }
    // A key typing `c`, through the window's key entry.
    void key(char c) {
        const auto code = static_cast<std::int16_t>(static_cast<unsigned char>(c));
        calc.form().userKey(calc.form().focus(), {keys::kOutside, 0, code});
        benchmark::DoNotOptimize(calc.form().takeChanges());
    }
    // Switches the readout between two decimals (the default) and the raw text.
    void setTwoDecimals(bool on) {
        if ((calc.form().control(Ctl::Digits2).value != 0) != on)
            key('r');
    }
};

// One key at a time from "123456789c": each digit makes the entry one longer and the
// readout is formatted again; C starts over. Time per key.
void BM_Key(benchmark::State& state) {
    Started s;
    s.setTwoDecimals(state.range(0) != 0);
    constexpr std::string_view keys = "123456789c";
    std::size_t i = 0;
    for (auto _ : state) {
        s.key(keys[i]);
        i = i + 1 == keys.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(state.range(0) ? "two decimals" : "raw");
}
BENCHMARK(BM_Key)->ArgName("two_decimals")->Arg(1)->Arg(0);

// A whole calculation of ten keys, C first, so that every round is the same.
void BM_TenKeyCalculation(benchmark::State& state) {
    Started s;
    constexpr std::string_view keys = "c1234+567=";
    for (auto _ : state) {
        for (char k : keys)
            s.key(k);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(keys.size()));
}
BENCHMARK(BM_TenKeyCalculation);

// Euro to Deutsche Mark and back, as two clicks.
void BM_Conversion(benchmark::State& state) {
    Started s;
    for (char k : std::string_view("1234,56"))
        s.key(k);
    for (auto _ : state) {
        s.calc.EDM_Click();
        benchmark::DoNotOptimize(s.calc.form().takeChanges());
        s.calc.DME_Click();
        benchmark::DoNotOptimize(s.calc.form().takeChanges());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Conversion);

// Opening the chooser with the right button on "DM" and choosing one of the twelve
// currencies. Choosing "DM" closes the chooser again and a digit makes "DM" usable once
// more; that reset is not timed.
void BM_ChooserSelection(benchmark::State& state) {
    using Steady = std::chrono::steady_clock;
    Started s;
    for (char k : std::string_view("100"))
        s.key(k);
    const int count = static_cast<int>(s.calc.form().control(Ctl::Combo1).items.size());
    const int deutscheMark = count - 1;
    int choice = 0;
    for (auto _ : state) {
        const auto start = Steady::now();
        const bool opened = s.calc.EdmRightButtonDown();
        benchmark::DoNotOptimize(s.calc.form().takeChanges());
        s.calc.form().userSelect(Ctl::Combo1, choice);
        benchmark::DoNotOptimize(s.calc.form().takeChanges());
        const auto end = Steady::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        if (!opened) {
            state.SkipWithError("the chooser did not open");
            break;
        }
        s.calc.form().userSelect(Ctl::Combo1, deutscheMark);
        s.calc.form().takeChanges();
        s.key('1');
        choice = (choice + 1) % deutscheMark;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ChooserSelection)->UseManualTime();

// A number of the given length in the German format: "1234567," and then decimals.
std::string numericText(std::size_t length, char last) {
    std::string text = "1234567,";
    text.reserve(length);
    for (std::size_t i = text.size(); i < length; ++i)
        text += static_cast<char>('0' + i % 10);
    text.resize(length);
    text.back() = last;
    return text;
}

// Pastes of 24 characters (the longest entry that can be typed), 1 KiB, 64 KiB and 1 MiB.
// Two texts that differ in the last digit take turns, so every paste changes the readout.
void paste(benchmark::State& state, bool twoDecimals) {
    const auto length = static_cast<std::size_t>(state.range(0));
    MemoryClipboard first(numericText(length, '1')), second(numericText(length, '2'));
    Started s;
    s.setTwoDecimals(twoDecimals);
    bool odd = false;
    for (auto _ : state) {
        s.calc.setClipboard(odd ? &second : &first);
        s.calc.cPaste_Click();
        benchmark::DoNotOptimize(s.calc.form().takeChanges());
        odd = !odd;
    }
    const auto& readout = s.calc.state().ReadoutText;
    if (!readout.isText() || readout.text().size() != length)
        state.SkipWithError("the paste was not taken");
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

void BM_Paste(benchmark::State& state) {
    paste(state, true);
}
BENCHMARK(BM_Paste)->Arg(24)->Arg(1 << 10)->Arg(1 << 16)->Arg(1 << 20)->Complexity(benchmark::oN);

void BM_PasteRaw(benchmark::State& state) {
    paste(state, false);
}
BENCHMARK(BM_PasteRaw)->Arg(24)->Arg(1 << 10)->Arg(1 << 16)->Arg(1 << 20)->Complexity(benchmark::oN);

// One key after a paste of a 10 MB number, with the raw readout: R (two decimals on),
// "+", Ctrl+C, D (into Deutsche Mark) and a digit. The paste before each key is not timed.
void BM_KeyAfterHugePaste(benchmark::State& state, char key) {
    constexpr std::size_t kLength = 10'000'000;
    MemoryClipboard clipboard(numericText(kLength, '1'));
    Started s;
    s.setTwoDecimals(false);
    s.calc.setClipboard(&clipboard);
    for (auto _ : state) {
        state.PauseTiming();
        s.key('c');
        s.setTwoDecimals(false);
        s.calc.cPaste_Click();
        s.calc.form().takeChanges();
        state.ResumeTiming();
        s.key(key);
    }
}
BENCHMARK_CAPTURE(BM_KeyAfterHugePaste, R, 'r')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyAfterHugePaste, plus, '+')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyAfterHugePaste, copy, '\x03')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyAfterHugePaste, D, 'd')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyAfterHugePaste, digit, '5')->Unit(benchmark::kMillisecond);

} // namespace

// Nine repetitions of 0.2 s each, reported as mean, median and spread, unless the command
// line asks otherwise: later flags win.
int main(int argc, char** argv) {
    std::vector<std::string> defaults {
        "--benchmark_repetitions=9", "--benchmark_report_aggregates_only=true", "--benchmark_min_time=0.2"};
    std::vector<char*> args {argv[0]};
    for (auto& d : defaults)
        args.push_back(d.data());
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
