#include "app/command_line.h"

#include <string_view>

#include "base/application_info.h"

namespace duct {

CommandLine ReadCommandLine(std::span<char* const> arguments) {
  const std::string program = kProgramName;
  if (arguments.size() <= 1) {
    return {true, {}, 0};
  }
  const std::string_view first = arguments[1];
  if (arguments.size() == 2 && first == "--help") {
    return {false,
            "用法：" + program + " [--help | --version]\n" + "打开矩形风管当量直径计算器。\n\n" +
                "  --help     显示本说明并退出\n" + "  --version  显示程序名称和版本并退出\n",
            0};
  }
  if (arguments.size() == 2 && first == "--version") {
    return {false,
            program + " " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
                "." + std::to_string(kVersionPatch) + "\n",
            0};
  }
  const std::string_view refused = first == "--help" || first == "--version" ? arguments[2] : first;
  return {false,
          program + ": 无法识别的参数“" + std::string(refused) + "”（请尝试执行“" + program +
              " --help”）\n",
          2};
}

CommandLine UnwrittenAnswer() { return {false, std::string(kProgramName) + ": 无法写出输出\n", 1}; }

}  // namespace duct
