#include <gtest/gtest.h>

#include "platform/recorders/ClientName.h"

namespace orvalis::recorders {
namespace {

TEST(ClientName, FollowsTheRuleForLengthAndCharacters) {
    struct Case {
        std::string name;
        bool valid;
    };
    const Case cases[] = {
        {"VUDUriv", true},
        {std::string(63, 'a'), true},
        {std::string(64, 'a'), false},
        {"", false},
        {"a/b", false},
        {"tab\there", false},
        {"a b,c-d.e:f;g_h", true},
        {"Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC", true},  // letters of other scripts count
        {"\xC2\xA9", false},                             // a symbol, not a letter
        {"bad\xFF", false},                              // not UTF-8
        {"\xC3", false},                                 // cut short
        {std::string(62, 'a') + "\xC3\xA9", true},       // 63 characters, 64 bytes
        {std::string(63, 'a') + "\xC3\xA9", false},
        {std::string("nul\0x", 5), false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidClientName(c.name), c.valid) << c.name;
}

}  // namespace
}  // namespace orvalis::recorders
