// Speed of one calculation run and of the number texts beside the bare standard conversions
// they are built on. Goals: formatting at most 2x a bare std::to_chars, reading at most 2x a
// bare std::from_chars, a whole run under 2 microseconds.
#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "calc/rechnen.h"
#include "numtext/number_text.h"
#include "support/formats.h"

namespace {

using testformats::kGerman;

// The eight fields in a fixed array, looked up by name as the window does.
class ArrayFields : public calc::FieldStore {
  public:
    [[nodiscard]] std::string text(std::string_view name) const override {
        return texts_[index(name)];
    }
    void setText(std::string_view name, const std::string& text) override {
        texts_[index(name)] = text;
    }

  private:
    static constexpr std::array<std::string_view, 8> kNames{
        "txtWarp", "txtEntfernung", "txtSpeed",   "txtJahre",
        "txtTage", "txtStunden",    "txtMinuten", "txtSekunden"};
    static std::size_t index(std::string_view name) {
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            if (kNames[i] == name) {
                return i;
            }
        }
        return 0;
    }
    std::array<std::string, 8> texts_;
};

class NoMessage : public calc::MessageSink {
  public:
    void show(const std::string&) override {}
};

void BM_Rechnen(benchmark::State& state) {
    ArrayFields fields;
    NoMessage message;
    for (auto _ : state) {
        fields.setText("txtWarp", "9,5");
        fields.setText("txtEntfernung", "4,2");
        calc::Rechnen(fields, message, kGerman);
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(BM_Rechnen);

constexpr double kSpeed = 2775.3915476;

void BM_FormatNumber(benchmark::State& state) {
    double value = kSpeed;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        std::string text = numtext::rtcFormatNumber(value, 4, kGerman);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FormatNumber);

void BM_BareToChars(benchmark::State& state) {
    double value = kSpeed;
    std::array<char, 64> buffer{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 4);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BareToChars);

// The same ASCII text as the bare conversion, then the German text of the same number.
void BM_R8Str(benchmark::State& state) {
    const std::string text = "2775.3915";
    for (auto _ : state) {
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(numtext::vbaR8Str(text, testformats::kUsEnglish));
    }
}
BENCHMARK(BM_R8Str);

void BM_R8StrGerman(benchmark::State& state) {
    const std::string text = "2.775,3915";
    for (auto _ : state) {
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(numtext::vbaR8Str(text, kGerman));
    }
}
BENCHMARK(BM_R8StrGerman);

void BM_BareFromChars(benchmark::State& state) {
    const std::string text = "2775.3915";
    for (auto _ : state) {
        benchmark::DoNotOptimize(text);
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_BareFromChars);

}  // namespace

BENCHMARK_MAIN();
