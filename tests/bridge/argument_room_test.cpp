// The room the system leaves a script's texts, tried against the system
// itself: what the room lets through starts a program, also beside a large
// environment; where one argument has a limit of its own, one byte more is
// refused by the system as well.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/argument_room.h"
#include "platform/process.h"

namespace velmora {
namespace {

constexpr const char* true_program = "/usr/bin/true";
constexpr std::size_t pointer = sizeof(char*);

bool starts(const std::vector<std::string>& texts)
{
    return process::run(true_program, texts).started;
}

// Texts as long as one argument may be, filling the whole room.
std::vector<std::string> fillingTheRoom(const platform::ArgumentRoom& room)
{
    std::vector<std::string> texts;
    std::size_t left = room.all_arguments - pointer;
    while (left > 1 + pointer) {
        const std::size_t size = std::min(room.per_argument - 1, left - 1 - pointer);
        texts.emplace_back(size, 'x');
        left -= size + 1 + pointer;
    }
    return texts;
}

TEST(ArgumentRoom, TheSystemStartsWhatFitsAndRefusesOneArgumentTooLong)
{
    const platform::ArgumentRoom room = platform::ScriptArgumentRoom();
    const std::size_t longest = std::min(room.per_argument - 1, room.all_arguments - 1 - 2 * pointer);
    const std::vector<std::string> fitting{std::string(longest, 'x')};
    const std::vector<std::string> one_byte_more{std::string(longest + 1, 'x')};
    EXPECT_TRUE(room.fits(fitting));
    EXPECT_FALSE(room.fits(one_byte_more));
    EXPECT_TRUE(starts(fitting));
    if (room.per_argument < room.all_arguments)
        EXPECT_FALSE(starts(one_byte_more));
}

TEST(ArgumentRoom, TheWholeRoomStartsBesideALargeEnvironment)
{
    const char* const name = "VELMORA_ARGUMENT_ROOM_BALLAST";
    ASSERT_EQ(setenv(name, std::string(100 * 1024, 'e').c_str(), 1), 0);  // within one argument's limit
    const platform::ArgumentRoom room = platform::ScriptArgumentRoom();
    const std::vector<std::string> texts = fillingTheRoom(room);
    EXPECT_TRUE(room.fits(texts));
    EXPECT_TRUE(starts(texts)) << texts.size() << " texts";
    unsetenv(name);
}

}  // namespace
}  // namespace velmora
