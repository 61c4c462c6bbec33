#pragma once
// The file types this program registers: exactly one, "special/any", which
// lets the file chooser offer every file.
#include "platform/file_types.h"

namespace velmora::FileTypes {

// Registers the program's file type; called once at start-up.
void Initialize();

// The registered "special/any" type; nullptr before Initialize.
const platform::FileType* SpecialAny();

}  // namespace velmora::FileTypes
