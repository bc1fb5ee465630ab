#pragma once

#include <string>
#include <string_view>

#include "about/program_launcher.h"
#include "about/registry.h"
#include "base/message_box.h"

namespace duct {

// Where the registry names the tool, under the local-machine root: its full path, or failing
// that the folder that holds it.
inline const std::string kToolPathKey = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
inline const std::string kToolPathValue = "PATH";
inline const std::string kToolFolderKey = R"(SOFTWARE\Microsoft\Shared Tools Location)";
inline const std::string kToolFolderValue = "MSINFO";

// Finds the system-information tool through the registry and starts it, or says that it is
// unavailable.
void StartSysInfo(Registry& registry, ProgramLauncher& launcher, MessageBoxService& messages);

}  // namespace duct
