// The room the system leaves a script's texts, tried against the system
// itself: the longest text the room lets through starts a program and, where
// one argument has a limit of its own, one byte more is refused by the system
// as well; texts filling the whole room start one beside a large environment.
// The rules of both systems, from their figures, whichever runs the tests.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/argument_room.h"
#include "platform/process.h"

namespace velmora {
namespace {

constexpr std::size_t pointer = sizeof(char*);

bool starts(const std::vector<std::string>& texts)
{
    return process::run("/usr/bin/true", texts).started;
}

TEST(ArgumentRoom, TheSystemStartsWhatFitsAndRefusesOneArgumentTooLong)
{
    const platform::ArgumentRoom room = platform::ScriptArgumentRoom();
    const std::size_t longest = std::min(room.per_argument - 1, room.all_arguments - 1 - 2 * pointer);
    EXPECT_TRUE(room.fits({std::string(longest, 'x')}));
    EXPECT_FALSE(room.fits({std::string(longest + 1, 'x')}));
    EXPECT_TRUE(starts({std::string(longest, 'x')}));
    if (room.per_argument < room.all_arguments) {
        EXPECT_FALSE(starts({std::string(longest + 1, 'x')}));
    }
}

TEST(ArgumentRoom, EachSystemsRuleFromItsFigures)
{
    using enum platform::ArgumentRule;
    using Sizes = std::pair<std::size_t, std::size_t>;  // per argument, all arguments
    constexpr std::size_t mib = 1024 * 1024;
    const auto room = [](platform::ArgumentRule rule, std::size_t arg_max, std::size_t page, std::size_t taken) {
        const platform::ArgumentRoom r = platform::ArgumentRoomUnder(rule, arg_max, page, taken);
        return Sizes{r.per_argument, r.all_arguments};
    };
    EXPECT_EQ(room(per_argument_and_whole, 2 * mib, 4096, 1000), Sizes(32 * 4096, 2 * mib - 1000));
    EXPECT_EQ(room(per_argument_and_whole, 100 * mib, 16384, 0), Sizes(32 * 16384, 6 * mib));  // a large stack
    EXPECT_EQ(room(whole_only, mib, 16384, 1000), Sizes(mib - 1000, mib - 1000));
    EXPECT_EQ(room(whole_only, 4096, 4096, 5000), Sizes(0, 0));
}

TEST(ArgumentRoom, TheWholeRoomStartsBesideALargeEnvironment)
{
    ASSERT_EQ(setenv("VELMORA_BALLAST", std::string(100 * 1024, 'e').c_str(), 1), 0);  // within one argument's limit
    const platform::ArgumentRoom room = platform::ScriptArgumentRoom();
    std::vector<std::string> texts;
    for (std::size_t left = room.all_arguments - pointer; left > 1 + pointer; left -= texts.back().size() + 1 + pointer)
        texts.emplace_back(std::min(room.per_argument - 1, left - 1 - pointer), 'x');
    EXPECT_TRUE(room.fits(texts));
    EXPECT_TRUE(starts(texts)) << texts.size() << " texts";
    unsetenv("VELMORA_BALLAST");
}

}  // namespace
}  // namespace velmora
