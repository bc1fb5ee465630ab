#include "about/sys_info.h"

#include <string>

#include "base/application_info.h"
#include "registry/get_key_value.h"
#include "registry/system_registry.h"

namespace duct {
namespace {

const std::string kToolFileName = R"(\MSINFO32.EXE)";

// The tool's full path: the first value, else the folder of the second with the file name
// appended when that file exists. Empty when neither gives one.
std::string FindTool(Registry& registry, const ProgramLauncher& launcher) {
  std::string path;
  if (GetKeyValue(registry, kHkeyLocalMachine, kToolPathKey, kToolPathValue, path)) {
    return path;
  }
  std::string folder;
  if (!GetKeyValue(registry, kHkeyLocalMachine, kToolFolderKey, kToolFolderValue, folder)) {
    return {};
  }
  path = folder + kToolFileName;
  return launcher.IsFile(path) ? path : std::string();
}

}  // namespace

void StartSysInfo(Registry& registry, ProgramLauncher& launcher, MessageBoxService& messages) {
  const std::string tool = FindTool(registry, launcher);
  if (tool.empty() || !launcher.Start(tool)) {
    messages.Show({"此时系统信息不可用", MessageIcon::None, kApplicationTitle});
  }
}

}  // namespace duct
