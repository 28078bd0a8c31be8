#include "web/body_collector.h"

#include <gtest/gtest.h>

#include <string>

namespace zelko {
namespace {

TEST(BodyCollector, NothingCollectedIsNoText) {
    BodyCollector body;
    EXPECT_EQ(body.capacity(), 8192u);
    EXPECT_FALSE(body.text().has_value());
    EXPECT_TRUE(body.append(""));
    EXPECT_FALSE(body.text().has_value());
}

// The buffer doubles as soon as a chunk would reach its end, so a terminating zero always follows
// the collected bytes.
TEST(BodyCollector, DoublesWhenAChunkWouldReachTheEnd) {
    struct Step {
        std::size_t chunk;
        std::size_t capacityAfter;
    };
    const Step steps[] = {{4096, 8192},  {4095, 8192},  {1, 16384},
                          {4096, 16384}, {4096, 32768}, {4096, 32768}};
    BodyCollector body;
    std::string expected;
    char letter = 'a';
    for (const Step& step : steps) {
        const std::string chunk(step.chunk, letter++);
        ASSERT_TRUE(body.append(chunk));
        expected += chunk;
        EXPECT_EQ(body.capacity(), step.capacityAfter) << "after " << body.size() << " bytes";
        EXPECT_LT(body.size(), body.capacity());
    }
    EXPECT_EQ(body.text(), expected);
}

TEST(BodyCollector, TextEndsAtTheFirstNulByte) {
    BodyCollector body;
    body.append(std::string("abc\0def", 7));
    EXPECT_EQ(body.text(), "abc");
    EXPECT_EQ(body.size(), 7u);

    BodyCollector startsWithNul;
    startsWithNul.append(std::string("\0x", 2));
    EXPECT_EQ(startsWithNul.text(), "");
}

TEST(BodyCollector, RefusesABodyPastTheLimit) {
    BodyCollector body;
    const std::string chunk(BodyCollector::kChunkSize, 'x');
    std::size_t chunks = BodyCollector::kMaxBodySize / chunk.size();
    for (std::size_t i = 0; i < chunks; ++i) {
        ASSERT_TRUE(body.append(chunk));
    }
    EXPECT_FALSE(body.append("y"));
    EXPECT_EQ(body.size(), BodyCollector::kMaxBodySize);
    EXPECT_EQ(body.text()->size(), BodyCollector::kMaxBodySize);
}

}  // namespace
}  // namespace zelko
