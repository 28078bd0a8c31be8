#include "autologin/pending_addresses.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace zelko {
namespace {

TEST(PendingAddresses, EachMessageTakesTheNextAddressAsItWasHandedOver) {
    PendingAddresses pending;
    int messages = 0;
    auto post = [&] {
        ++messages;
        return true;
    };
    std::string address = "http://svc/loadandup.php?oid=1";
    EXPECT_TRUE(pending.handOver(address, post));
    // The worker's next address cannot change what the first message opens.
    address = "http://svc/autologin.php?oid=1";
    EXPECT_TRUE(pending.handOver(address, post));
    EXPECT_EQ(messages, 2);
    EXPECT_EQ(pending.take(), "http://svc/loadandup.php?oid=1");
    EXPECT_EQ(pending.take(), "http://svc/autologin.php?oid=1");
    EXPECT_EQ(pending.take(), std::nullopt) << "a stray message opens nothing";
}

TEST(PendingAddresses, AnAddressWhoseMessageFailedIsTakenBack) {
    PendingAddresses pending;
    EXPECT_TRUE(pending.handOver("first", [] { return true; }));
    EXPECT_FALSE(pending.handOver("lost", [] { return false; }));
    EXPECT_TRUE(pending.handOver("third", [] { return true; }));
    EXPECT_EQ(pending.take(), "first");
    EXPECT_EQ(pending.take(), "third");
    EXPECT_EQ(pending.take(), std::nullopt);
}

TEST(PendingAddresses, ConcurrentHandOverAndTakeKeepTheOrder) {
    PendingAddresses pending;
    constexpr int kCount = 2000;
    std::thread worker([&] {
        for (int i = 0; i < kCount; ++i) {
            pending.handOver(std::to_string(i), [] { return true; });
        }
    });
    std::vector<std::string> taken;
    while (taken.size() < kCount) {
        if (auto address = pending.take()) {
            taken.push_back(*address);
        }
    }
    worker.join();
    for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(taken[i], std::to_string(i));
    }
}

}  // namespace
}  // namespace zelko
