#pragma once

#include <memory>
#include <string>

#include "registry/registry.h"

namespace duct {

// Where Windows' registry names its system-information tool, under the local-machine root: its
// full path, or failing that the folder that holds it.
inline const std::string kToolPathKey = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
inline const std::string kToolPathValue = "PATH";
inline const std::string kToolFolderKey = R"(SOFTWARE\Microsoft\Shared Tools Location)";
inline const std::string kToolFolderValue = "MSINFO";

// The platform's registry: Windows' own through advapi32, or elsewhere a registry that names the
// system-information tool installed there (MakeToolRegistry).
std::unique_ptr<Registry> MakeSystemRegistry();

}  // namespace duct
