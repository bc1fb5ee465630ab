#include "app/command_line.h"

#include <algorithm>

#include "base/application_info.h"

namespace duct {
namespace {

// A lone "-" is not an option: by custom it names standard input, and here it is passed over.
bool IsOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

CommandLine Refusal(const std::string& option) {
  const std::string program = kProgramName;
  return {false,
          program + ": 无法识别的参数“" + option + "”（请尝试执行“" + program + " --help”）\n", 2};
}

}  // namespace

std::size_t OptionCount(std::span<const std::string> arguments) {
  return static_cast<std::size_t>(std::find(arguments.begin(), arguments.end(), "--") -
                                  arguments.begin());
}

CommandLine ReadOwnOptions(std::span<const std::string> arguments) {
  const std::string program = kProgramName;
  const auto options = arguments.first(OptionCount(arguments));
  const auto own = std::find_if(options.begin(), options.end(), [](const std::string& a) {
    return a == "--help" || a == "--version";
  });
  if (own == options.end()) {
    return {true, {}, 0};
  }
  if (*own == "--help") {
    return {false,
            "用法：" + program + " [--help | --version] [Qt 选项]\n" +
                "打开矩形风管当量直径计算器。\n\n" + "  --help     显示本说明并退出\n" +
                "  --version  显示程序名称和版本并退出\n" + "  --         其后的参数都不是选项\n" +
                "Qt 的选项（如 -style fusion）照常生效；不是选项的参数（如拖放的文件）不予理会。\n",
            0};
  }
  return {false,
          program + " " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
              "." + std::to_string(kVersionPatch) + "\n",
          0};
}

CommandLine ReadArgumentsLeft(std::span<const std::string> arguments) {
  const auto unknown = std::find_if(arguments.begin(), arguments.end(), IsOption);
  return unknown != arguments.end() ? Refusal(*unknown) : CommandLine{true, {}, 0};
}

CommandLine UnwrittenAnswer() { return {false, std::string(kProgramName) + ": 无法写出输出\n", 1}; }

}  // namespace duct
