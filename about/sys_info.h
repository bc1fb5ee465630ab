#pragma once

#include "about/program_launcher.h"
#include "base/message_box.h"
#include "registry/registry.h"

namespace duct {

// Finds the system-information tool through the registry and starts it, or says that it is
// unavailable.
void StartSysInfo(Registry& registry, ProgramLauncher& launcher, MessageBoxService& messages);

}  // namespace duct
