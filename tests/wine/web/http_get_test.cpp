// httpGet through WinINet against the reference web service, called directly from the test
// process: the body, the redirect rule, the keep-going flag, the time-out and the agent.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "support/reference_service.h"
#include "support/wait.h"
#include "web/win32/http_get.h"

namespace zelko::test {
namespace {

// The body the service generates for a size.
std::string generatedBody(std::size_t size) {
    const std::string pattern = "0123456789abcdefghijklmnopqrstuvwxyz\r\n";
    std::string body;
    while (body.size() < size) {
        body += pattern;
    }
    body.resize(size);
    return body;
}

class HttpGetTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(ReferenceService::reset()); }
    void TearDown() override { ReferenceService::reset(); }

    static std::string address(const std::string& path) {
        return ReferenceService::origin() + path;
    }
    HttpResult get(const std::string& path, bool followRedirects) {
        return httpGet(address(path), followRedirects, keepGoing, answer);
    }
    static bool requested(const std::string& path) {
        for (const ServiceRequest& request : ReferenceService::requests()) {
            if (pathOf(request.target) == path) {
                return true;
            }
        }
        return false;
    }

    std::atomic<std::int32_t> keepGoing{1};
    std::optional<std::string> answer = std::string("left from before");
};

class HttpGetBodySize : public HttpGetTest, public ::testing::WithParamInterface<std::size_t> {};

// The body buffer starts at 8192 bytes and doubles when a chunk would reach its end.
TEST_P(HttpGetBodySize, ArrivesWhole) {
    const std::size_t size = GetParam();
    ServiceReply reply;
    reply.bodySize = static_cast<long long>(size);
    ASSERT_TRUE(ReferenceService::route("*", "/body", reply));
    ASSERT_EQ(get("/body", true), HttpBody);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->size(), size);
    EXPECT_TRUE(*answer == generatedBody(size)) << "the body arrived changed";
}

INSTANTIATE_TEST_SUITE_P(Sizes, HttpGetBodySize,
                         ::testing::Values(1, 4096, 8191, 8192, 16384, 20000, 100000));

TEST_F(HttpGetTest, EmptyBodyGivesNoAnswer) {
    ASSERT_TRUE(ReferenceService::route("*", "/empty", ServiceReply::text("")));
    EXPECT_EQ(get("/empty", true), HttpBody);
    EXPECT_FALSE(answer.has_value());
}

TEST_F(HttpGetTest, BodyEndsAtItsFirstNulByte) {
    ASSERT_TRUE(ReferenceService::route("*", "/nul", ServiceReply::text(std::string("ab\0cd", 5))));
    EXPECT_EQ(get("/nul", false), HttpBody);
    EXPECT_EQ(answer, std::string("ab"));
}

class HttpGetRedirect : public HttpGetTest, public ::testing::WithParamInterface<int> {};

// The redirect's own body would take seconds to arrive: it is not read.
TEST_P(HttpGetRedirect, NotFollowedGivesTheLocationWithoutReadingTheBody) {
    const std::string location = address("/target?a=1&b=%20");
    ServiceReply moved = ServiceReply::redirect(location, GetParam());
    moved.bodySize = 40 * 4096;
    moved.chunkDelayMs = 250;
    ASSERT_TRUE(ReferenceService::route("*", "/moved", moved));
    ASSERT_TRUE(ReferenceService::route("*", "/target", ServiceReply::text("target")));

    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(get("/moved", false), HttpRedirect);
    const ULONGLONG elapsed = GetTickCount64() - start;
    EXPECT_EQ(answer, location);
    EXPECT_LT(elapsed, 3000u) << "the body of the redirect was read";
    EXPECT_FALSE(requested("/target"));
}

TEST_P(HttpGetRedirect, FollowedToAnAnswer) {
    ASSERT_TRUE(ReferenceService::route("*", "/moved",
                                        ServiceReply::redirect(address("/target"), GetParam())));
    ASSERT_TRUE(ReferenceService::route("*", "/target", ServiceReply::text("target")));
    EXPECT_EQ(get("/moved", true), HttpBody);
    EXPECT_EQ(answer, std::string("target"));
}

TEST_P(HttpGetRedirect, FollowedToNotFoundFails) {
    ASSERT_TRUE(ReferenceService::route("*", "/moved",
                                        ServiceReply::redirect(address("/gone"), GetParam())));
    ASSERT_TRUE(ReferenceService::route("*", "/gone", ServiceReply::text("not here", 404)));
    EXPECT_EQ(get("/moved", true), HttpFailed);
    EXPECT_FALSE(answer.has_value());
    EXPECT_TRUE(requested("/gone")) << "WinINet did not follow the redirect";
}

INSTANTIATE_TEST_SUITE_P(Statuses, HttpGetRedirect, ::testing::Values(301, 302));

TEST_F(HttpGetTest, OtherStatusesFail) {
    for (int status : {201, 204, 303, 307, 400, 404, 500, 503}) {
        ASSERT_TRUE(ReferenceService::route("*", "/status", ServiceReply::text("body", status)));
        for (bool follow : {false, true}) {
            answer = std::string("left from before");
            EXPECT_EQ(get("/status", follow), HttpFailed) << status << " follow " << follow;
            EXPECT_FALSE(answer.has_value()) << status;
        }
    }
}

TEST_F(HttpGetTest, UnusableAddressesFail) {
    const std::string unreachable = "http://127.0.0.1:1/nothing";  // nothing listens there
    for (const std::string& bad : {unreachable, std::string("not an address"),
                                   std::string("ftp://127.0.0.1/file"), std::string()}) {
        EXPECT_EQ(httpGet(bad, true, keepGoing, answer), HttpFailed) << bad;
        EXPECT_FALSE(answer.has_value()) << bad;
    }
}

TEST_F(HttpGetTest, ClearingKeepGoingEndsTheCallAfterTheCurrentChunk) {
    ServiceReply slow;
    slow.bodySize = 100 * 4096;
    slow.chunkDelayMs = 100;  // ten seconds for the whole body
    ASSERT_TRUE(ReferenceService::route("*", "/slow", slow));

    std::atomic<int> result{-1};
    std::atomic<ULONGLONG> returned{0};
    std::thread call([&] {
        result = get("/slow", true);
        returned = GetTickCount64();
    });
    const bool asked = ReferenceService::waitForRequest(
                           [](const ServiceRequest& r) { return pathOf(r.target) == "/slow"; }, 5s)
                           .has_value();
    // Let a few chunks arrive, then ask the call to stop.
    Sleep(500);
    const ULONGLONG cleared = GetTickCount64();
    keepGoing = 0;
    call.join();
    ASSERT_TRUE(asked);
    EXPECT_EQ(result.load(), HttpFailed);
    EXPECT_FALSE(answer.has_value());
    EXPECT_LT(returned.load() - cleared, 1000u) << "the call did not end after the current chunk";
    std::printf("httpGet ended %llu ms after keepGoing was cleared\n", returned.load() - cleared);
}

// The one wait for a time-out in the run: the server takes the request and never answers.
TEST_F(HttpGetTest, StalledServerFailsWithinTheTimeOut) {
    ASSERT_TRUE(ReferenceService::route("*", "/stall", ServiceReply::stalled()));
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(get("/stall", true), HttpFailed);
    const ULONGLONG elapsed = GetTickCount64() - start;
    EXPECT_FALSE(answer.has_value());
    std::printf("httpGet on a stalled server failed after %llu ms (time-out 10000 ms)\n", elapsed);
    EXPECT_GE(elapsed, 9000u) << "ended before the time-out: was the server stalled?";
    EXPECT_LT(elapsed, 12500u) << "the 10 s time-out did not hold";
}

// A caller told to stop (a shut-down) starts no new exchange.
TEST_F(HttpGetTest, NoCallStartsOnceItsFlagIsCleared) {
    ASSERT_TRUE(ReferenceService::route("*", "/never", ServiceReply::text("ok")));
    keepGoing = 0;
    EXPECT_EQ(get("/never", true), HttpFailed);
    EXPECT_TRUE(ReferenceService::requests().empty());
}

TEST_F(HttpGetTest, SendsTheAgentZELKON) {
    ASSERT_TRUE(ReferenceService::route("*", "/agent", ServiceReply::text("ok")));
    ASSERT_EQ(get("/agent?pen=PEN0042", true), HttpBody);
    const auto requests = ReferenceService::requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].userAgent, "ZELKON");
    EXPECT_EQ(requests[0].target, "/agent?pen=PEN0042");
    EXPECT_EQ(requests[0].host, "127.0.0.1");
}

}  // namespace
}  // namespace zelko::test
