#include "bridge/banking_scripts.h"

#include "bridge/bundle_script.h"
#include "platform/text.h"

namespace velmora {

std::string Kontennamenermitteln(const ScriptArguments& arguments)
{
    return ExecuteAppleScript(BundleScript(kKontennamenScript), arguments);
}

std::vector<std::string> AccountNames(std::string_view names)
{
    constexpr std::string_view separator = ", ";
    const std::size_t count = text::CountFields(names, separator);
    std::vector<std::string> accounts;
    accounts.reserve(count);
    for (std::size_t field = 1; field <= count; ++field)
        accounts.emplace_back(text::NthField(names, separator, field));
    return accounts;
}

std::string buchungViaTessel(const ScriptArguments& arguments, process::Waiter* waiter)
{
    return ExecuteAppleScript(BundleScript(kBuchungScript), arguments, waiter);
}

}  // namespace velmora
