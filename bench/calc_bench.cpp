// Timings of the formulas and of one calculate run per path, including the side search that
// runs into its 2^24 limit. Not part of the tests.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "calculate_command.h"
#include "formulas.h"

namespace duct {
namespace {

// One call per iteration, its input hidden from the optimiser so that nothing is folded.
template <typename Call>
void BM_Formula(benchmark::State& state, float input, Call call) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(input);
    benchmark::DoNotOptimize(call(input));
  }
}

BENCHMARK_CAPTURE(BM_Formula, CalcFlowDiameter, 500.0F,
                  [](float a) { return CalcFlowDiameter(a, 400.0F); });
BENCHMARK_CAPTURE(BM_Formula, CalcVelocityDiameter, 500.0F,
                  [](float a) { return CalcVelocityDiameter(a, 400.0F); });
BENCHMARK_CAPTURE(BM_Formula, CalcSideFromVelocityDiameter, 444.0F,
                  [](float dv) { return CalcSideFromVelocityDiameter(dv, 500.0F); });
BENCHMARK_CAPTURE(BM_Formula, CalcSquareSideFromFlowDiameter, 500.0F,
                  [](float dl) { return CalcSquareSideFromFlowDiameter(dl); });
BENCHMARK_CAPTURE(BM_Formula, CheckSideRatio, 500.0F,
                  [](float a) { return CheckSideRatio(a, 400.0F); });
BENCHMARK_CAPTURE(BM_Formula, SearchSideFromFlowDiameter_Typical, 1606.0F,
                  [](float dl) { return SearchSideFromFlowDiameter(dl, 1000.0F); });  // 2174 sides
BENCHMARK_CAPTURE(BM_Formula, SearchSideFromFlowDiameter_Limit, 1.0e7F,
                  [](float dl) { return SearchSideFromFlowDiameter(dl, 5.1e6F); })  // 2^24, fails
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Formula, FormatLength, 493.82516F,
                  [](float value) { return FormatLength(value, 1); });

void BM_ParseLength(benchmark::State& state) {
  const std::string text = "1234.5";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseLength(text));
  }
}
BENCHMARK(BM_ParseLength);

// Fields held in memory, as a window would hold them.
class BenchFields : public CalculatorFields {
 public:
  BenchFields(bool forward, bool velocityGiven, std::array<std::string, 4> texts)
      : forward_(forward), velocityGiven_(velocityGiven), texts_(std::move(texts)) {}
  [[nodiscard]] bool IsForwardDirection() const override { return forward_; }
  [[nodiscard]] bool IsVelocityDiameterGiven() const override { return velocityGiven_; }
  [[nodiscard]] std::string Text(Field field) const override {
    return texts_[static_cast<std::size_t>(field)];
  }
  void SetText(Field field, std::string_view text) override {
    texts_[static_cast<std::size_t>(field)] = text;
  }

 private:
  bool forward_;
  bool velocityGiven_;
  std::array<std::string, 4> texts_;
};

class NoMessages : public MessageBoxService {
 public:
  void ShowMessage(std::string_view, MessageIcon, std::string_view) override {}
};

// Texts in field order: side a, side b, velocity diameter, flow diameter.
void RunCommand(benchmark::State& state, bool forward, bool velocityGiven,
                const std::array<std::string, 4>& texts) {
  NoMessages messages;
  CalculationState calculation;
  for (auto _ : state) {
    BenchFields fields(forward, velocityGiven, texts);
    CmdStart_Click(fields, messages, calculation);
    benchmark::DoNotOptimize(fields);
  }
}

void BM_Command_BothSides(benchmark::State& state) {
  RunCommand(state, true, false, {"500", "320", "(空白)", "(空白)"});
}
BENCHMARK(BM_Command_BothSides);

void BM_Command_VelocityGiven(benchmark::State& state) {
  RunCommand(state, false, true, {"500", "(空白)", "444", "(空白)"});
}
BENCHMARK(BM_Command_VelocityGiven);

void BM_Command_FlowGiven(benchmark::State& state) {
  RunCommand(state, false, false, {"1000", "(空白)", "(空白)", "1606"});
}
BENCHMARK(BM_Command_FlowGiven);

void BM_Command_FlowGivenAtSearchLimit(benchmark::State& state) {
  RunCommand(state, false, false, {"5100000", "(空白)", "(空白)", "10000000"});
}
BENCHMARK(BM_Command_FlowGivenAtSearchLimit)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace duct
