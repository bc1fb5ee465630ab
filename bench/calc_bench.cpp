// Timings of the formulas and of one calculate run per path, including the side search that
// runs into its 2^24 limit. Not part of the tests.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "calc/calculate_command.h"
#include "calc/formulas.h"
#include "calc/length_text.h"

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
                  [](float dl) { return SearchSideFromFlowDiameter(dl, 1000.0F); });  // b = 2174
BENCHMARK_CAPTURE(BM_Formula, SearchSideFromFlowDiameter_Realistic, 493.8F,
                  [](float dl) { return SearchSideFromFlowDiameter(dl, 500.0F); });  // b = 400
BENCHMARK_CAPTURE(BM_Formula, SearchSideFromFlowDiameter_Limit, 1.0e7F,
                  [](float dl) { return SearchSideFromFlowDiameter(dl, 5.1e6F); });  // 2^24, fails
BENCHMARK_CAPTURE(BM_Formula, FormatLength, 493.82516F,
                  [](float value) { return FormatLength(value, 1); });

void BM_ParseLength(benchmark::State& state) {
  const std::string text = "1234.5";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseLength(text));
  }
}
BENCHMARK(BM_ParseLength);

// One calculate run on texts in field order: side a, side b, velocity diameter, flow diameter.
void RunCommand(benchmark::State& state, Direction direction, GivenDiameter given,
                const std::array<std::string, 4>& texts) {
  const CalculatorInput input{direction, given, texts};
  for (auto _ : state) {
    benchmark::DoNotOptimize(Calculate(input));
  }
}

void BM_Command_BothSides(benchmark::State& state) {
  RunCommand(state, Direction::Forward, GivenDiameter::None, {"500", "320", "(空白)", "(空白)"});
}
BENCHMARK(BM_Command_BothSides);

void BM_Command_VelocityGiven(benchmark::State& state) {
  RunCommand(state, Direction::Reverse, GivenDiameter::Velocity,
             {"500", "(空白)", "444", "(空白)"});
}
BENCHMARK(BM_Command_VelocityGiven);

void BM_Command_FlowGiven(benchmark::State& state) {
  RunCommand(state, Direction::Reverse, GivenDiameter::Flow, {"1000", "(空白)", "(空白)", "1606"});
}
BENCHMARK(BM_Command_FlowGiven);

void BM_Command_FlowGivenAtSearchLimit(benchmark::State& state) {
  RunCommand(state, Direction::Reverse, GivenDiameter::Flow,
             {"5100000", "(空白)", "(空白)", "10000000"});
}
BENCHMARK(BM_Command_FlowGivenAtSearchLimit);

}  // namespace
}  // namespace duct
