#pragma once

#include <memory>

#include "about/registry.h"

namespace duct {

// The platform's registry, or its stand-in where there is none.
std::unique_ptr<Registry> MakeSystemRegistry();

}  // namespace duct
