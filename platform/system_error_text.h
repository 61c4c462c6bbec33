#pragma once
// What the system says went wrong (an errno value), in German: the C
// library's own texts are English ("No space left on device") on most
// systems, and a user of this program reads German.
#include <string>

namespace velmora::platform {

// «Auf dem Datenträger ist kein Platz mehr» for ENOSPC; an error the table
// lacks is named by its number and the system's own text.
std::string SystemErrorText(int error);

}  // namespace velmora::platform
