#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "base/application_info.h"

namespace duct {
namespace {

// A lone "-" is not an option: by custom it names standard input, and here it is passed over.
bool IsOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

std::span<const std::string> Options(std::span<const std::string> arguments) {
  return arguments.first(OptionCount(arguments));
}

// Qt 6.4's own options, as QCoreApplication, QGuiApplication (-geometry, -title and -icon only
// on X11), QApplication and the X11 platform take them, each also written with two dashes: those
// that take the next argument, whatever it is, if there is one;
constexpr std::array<std::string_view, 10> kQtOptionsTakingNext{
    "-platform",        "-platformpluginpath", "-platformtheme",
    "-qwindowgeometry", "-geometry",           "-qwindowtitle",
    "-title",           "-qwindowicon",        "-icon",
    "-plugin"};
// those that take the next argument, without which Qt leaves them;
constexpr std::array<std::string_view, 7> kQtOptionsWithValue{
    "-style", "-stylesheet", "-session", "-qmljsdebugger", "-display", "-name", "-visual"};
// those that stand alone, and those with their value after "=".
constexpr std::array<std::string_view, 7> kQtFlags{
    "-reverse", "-testability", "-widgetcount", "-qdevel", "-qdebug", "-nograb", "-dograb"};
constexpr std::array<std::string_view, 3> kQtJoinedOptions{
    "-style=", "-stylesheet=", "-qmljsdebugger="};

template <std::size_t N>
bool Holds(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The first of `options` that Qt does not take, skipping the values of those it does.
std::optional<std::string> FirstOptionNotQts(std::span<const std::string> options) {
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (!IsOption(options[i])) {
      continue;
    }
    std::string_view name = options[i];
    if (name.starts_with("--")) {
      name.remove_prefix(1);
    }
    const bool joined =
        std::any_of(kQtJoinedOptions.begin(), kQtJoinedOptions.end(),
                    [name](std::string_view option) { return name.starts_with(option); });
    const bool valueFollows = i + 1 < options.size();
    if (Holds(kQtOptionsTakingNext, name) || (Holds(kQtOptionsWithValue, name) && valueFollows)) {
      ++i;  // its value, whatever it looks like
    } else if (!joined && !Holds(kQtFlags, name)) {
      return options[i];
    }
  }
  return std::nullopt;
}

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
  const auto options = Options(arguments);
  const auto own = std::find_if(options.begin(), options.end(), [](const std::string& a) {
    return a == "--help" || a == "--version";
  });
  if (own == options.end()) {
    const auto unknown = FirstOptionNotQts(options);
    return unknown ? Refusal(*unknown) : CommandLine{true, {}, 0};
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
