#include "about/system_registry.h"
#include "about/windows_registry.h"

namespace duct {

std::unique_ptr<Registry> MakeSystemRegistry() { return std::make_unique<WindowsRegistry>(); }

}  // namespace duct
