// Timings of the formulas and of one calculate run per path, including the side search that
// runs into its 2^24 limit. Not part of the tests.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "calculate_command.h"
#include "formulas.h"

namespace duct {
namespace {

void BM_CalcFlowDiameter(benchmark::State& state) {
  float a = 500.0F;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(CalcFlowDiameter(a, 400.0F));
  }
}
BENCHMARK(BM_CalcFlowDiameter);

void BM_CalcVelocityDiameter(benchmark::State& state) {
  float a = 500.0F;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(CalcVelocityDiameter(a, 400.0F));
  }
}
BENCHMARK(BM_CalcVelocityDiameter);

void BM_CalcSideFromVelocityDiameter(benchmark::State& state) {
  float dv = 444.0F;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dv);
    benchmark::DoNotOptimize(CalcSideFromVelocityDiameter(dv, 500.0F));
  }
}
BENCHMARK(BM_CalcSideFromVelocityDiameter);

void BM_CalcSquareSideFromFlowDiameter(benchmark::State& state) {
  float dl = 500.0F;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dl);
    benchmark::DoNotOptimize(CalcSquareSideFromFlowDiameter(dl));
  }
}
BENCHMARK(BM_CalcSquareSideFromFlowDiameter);

void BM_CheckSideRatio(benchmark::State& state) {
  float a = 500.0F;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(CheckSideRatio(a, 400.0F));
  }
}
BENCHMARK(BM_CheckSideRatio);

void BM_SearchSideFromFlowDiameter_Typical(benchmark::State& state) {
  float dl = 1606.0F;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dl);
    benchmark::DoNotOptimize(SearchSideFromFlowDiameter(dl, 1000.0F));  // 2174 trials
  }
}
BENCHMARK(BM_SearchSideFromFlowDiameter_Typical);

void BM_SearchSideFromFlowDiameter_Limit(benchmark::State& state) {
  float dl = 1.0e7F;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dl);
    benchmark::DoNotOptimize(SearchSideFromFlowDiameter(dl, 5.1e6F));  // 2^24 trials, then fails
  }
}
BENCHMARK(BM_SearchSideFromFlowDiameter_Limit)->Unit(benchmark::kMillisecond);

void BM_ParseLength(benchmark::State& state) {
  const std::string text = "1234.5";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseLength(text));
  }
}
BENCHMARK(BM_ParseLength);

void BM_FormatLength(benchmark::State& state) {
  float value = 493.82516F;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(FormatLength(value, 1));
  }
}
BENCHMARK(BM_FormatLength);

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
