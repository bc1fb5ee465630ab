#pragma once

namespace duct::fuzz {

// The C library's correctly rounded reading of a plain decimal number as a float, in the "C"
// locale whatever the process locale is: the reference that ParseLength is checked against.
float CLibraryReading(const char* number);

}  // namespace duct::fuzz
