#pragma once

#include "message_box_service.h"
#include "program_launcher.h"
#include "registry.h"

namespace duct {

inline constexpr std::string_view kSysInfoUnavailableText = "此时系统信息不可用";

// Finds the system-information tool through the registry and starts it, or says that it is
// unavailable.
void StartSysInfo(Registry& registry, ProgramLauncher& launcher, MessageBoxService& messages);

}  // namespace duct
