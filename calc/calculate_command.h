#pragma once

#include "calculation_state.h"
#include "calculator_fields.h"
#include "message_box_service.h"

namespace duct {

inline constexpr std::string_view kInputErrorText = "参数输入错误!";
inline constexpr std::string_view kInputErrorTitle = "提醒";
inline constexpr std::string_view kRatioErrorText = "方管两边长相差太大，请重输！";

// The calculate button: reads the option states and the fields that the chosen direction needs,
// checks them, computes into `state` and writes the results back as rounded texts. Bad input
// shows one message and changes no field. A computation that fails after the checks (both sides
// 0, magnitudes near the top of the float range, a side search past its limit) also shows the
// input-error message and writes no field, rather than leaving an earlier run's value on show.
void CmdStart_Click(CalculatorFields& fields, MessageBoxService& messages, CalculationState& state);

}  // namespace duct
