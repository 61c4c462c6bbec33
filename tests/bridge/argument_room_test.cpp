// The room the system leaves a script's texts, tried against the system
// itself: the longest text the room lets through starts a program and, where
// one argument has a limit of its own, one byte more is refused by the system
// as well; texts filling the whole room start one beside a large environment.
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
    if (room.per_argument < room.all_arguments)
        EXPECT_FALSE(starts({std::string(longest + 1, 'x')}));
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
