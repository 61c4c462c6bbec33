#include "bridge/banking_scripts.h"

#include "bridge/bundle_script.h"

namespace velmora {

std::string Kontennamenermitteln(const ScriptArguments& arguments)
{
    return ExecuteAppleScript(BundleScript(kKontennamenScript), arguments);
}

std::string buchungViaTessel(const ScriptArguments& arguments)
{
    return ExecuteAppleScript(BundleScript(kBuchungScript), arguments);
}

}  // namespace velmora
