// The update check's requests against the reference web service, called directly from the test
// process: what fetchUpdateInfo reads from a reply, and when downloadFile keeps a file.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "about/win32/update_requests.h"
#include "support/reference_service.h"
#include "support/test_paths.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

constexpr char kUpdatePath[] = "/drivers/update.php";

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());  // the scratch paths are ASCII
}

std::vector<std::wstring> filesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(entry.cFileName);
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return names;
}

class UpdateRequests : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(ReferenceService::reset()); }
    void TearDown() override { ReferenceService::reset(); }

    std::atomic<std::int32_t> keepGoing{1};
};

struct FetchCase {
    const char* name;
    std::vector<ServiceReply> replies;  // for /drivers/update.php
    unsigned version;
    std::string address;
};

void PrintTo(const FetchCase& c, std::ostream* os) {
    *os << c.name;
}

class FetchUpdateInfo : public UpdateRequests, public ::testing::WithParamInterface<FetchCase> {};

TEST_P(FetchUpdateInfo, ReadsTheReply) {
    const FetchCase& c = GetParam();
    ASSERT_TRUE(ReferenceService::route("*", kUpdatePath, c.replies));
    ASSERT_TRUE(
        ReferenceService::route("*", "/drivers/update2.php", ServiceReply::text("41\r\nnew\r\n")));
    std::string address = "left from before";
    EXPECT_EQ(fetchUpdateInfo(address, keepGoing), c.version);
    EXPECT_EQ(address, c.address);
    const auto requests = ReferenceService::requests();
    ASSERT_GE(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, kUpdatePath);
    EXPECT_EQ(requests[0].userAgent, "ZELKOVER");
    EXPECT_EQ(requests[0].host, "127.0.0.1");
}

ServiceReply cut(std::string body, long long after) {
    ServiceReply reply = ServiceReply::text(std::move(body));
    reply.cutAfter = after;
    return reply;
}

ServiceReply withoutLength(std::string body) {
    ServiceReply reply = ServiceReply::text(std::move(body));
    reply.noContentLength = true;
    return reply;
}

const std::string kOffer = "40\r\nhttp://127.0.0.1/files/ZelkoInstall.exe\r\n";

INSTANTIATE_TEST_SUITE_P(
    Replies, FetchUpdateInfo,
    ::testing::Values(
        FetchCase{
            "Offer", {ServiceReply::text(kOffer)}, 40, "http://127.0.0.1/files/ZelkoInstall.exe"},
        FetchCase{"UpToDate", {ServiceReply::text("39\r\n")}, 39, ""},
        FetchCase{"NoLineBreak", {ServiceReply::text("40")}, 0, ""},
        FetchCase{"WithoutContentLength",
                  {withoutLength(kOffer)},
                  40,
                  "http://127.0.0.1/files/ZelkoInstall.exe"},
        // An error page is no update information, even when its first line is a number.
        FetchCase{"NotFoundPage", {ServiceReply::text(kOffer, 404)}, 0, ""},
        FetchCase{"ServerError", {ServiceReply::text(kOffer, 500)}, 0, ""},
        FetchCase{"RedirectFollowed", {ServiceReply::redirect("/drivers/update2.php")}, 41, "new"},
        FetchCase{"CutTransfer", {cut(kOffer, 10)}, 0, ""},
        FetchCase{"Dropped", {ServiceReply::dropped()}, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdateRequests, FetchGivesNoVersionWhenToldToStop) {
    ASSERT_TRUE(ReferenceService::route("*", kUpdatePath, ServiceReply::text(kOffer)));
    keepGoing = 0;
    std::string address;
    EXPECT_EQ(fetchUpdateInfo(address, keepGoing), 0u);
    EXPECT_EQ(address, "");
}

// A small Windows program as far as the download can tell: "MZ" and bytes of every value.
std::string programBytes(std::size_t size) {
    std::string bytes = "MZ";
    for (std::size_t i = 2; i < size; ++i) {
        bytes += static_cast<char>(i * 7 % 256);
    }
    return bytes;
}

class DownloadFileTest : public UpdateRequests {
  protected:
    void SetUp() override {
        UpdateRequests::SetUp();
        folder = freshScratchDirectory(currentTestName());
        target = folder + L"\\ZelkoInstall.exe";
    }
    int download(const std::string& path) {
        return downloadFile(ReferenceService::origin() + path, narrow(target), keepGoing);
    }
    // Nothing of a failed download is left: no target, no temporary file.
    void expectNothingLeft() { EXPECT_EQ(filesIn(folder), std::vector<std::wstring>{}); }

    std::wstring folder;
    std::wstring target;
};

struct DownloadCase {
    const char* name;
    std::vector<ServiceReply> replies;  // for /files/ZelkoInstall.exe
    bool kept;
};

void PrintTo(const DownloadCase& c, std::ostream* os) {
    *os << c.name;
}

class DownloadFileCase : public DownloadFileTest,
                         public ::testing::WithParamInterface<DownloadCase> {};

const std::string kProgram = programBytes(50000);

TEST_P(DownloadFileCase, KeepsOnlyAWholeProgram) {
    const DownloadCase& c = GetParam();
    ASSERT_TRUE(ReferenceService::route("*", "/files/ZelkoInstall.exe", c.replies));
    ASSERT_TRUE(ReferenceService::route("*", "/files/real.exe", ServiceReply::text(kProgram)));
    EXPECT_EQ(download("/files/ZelkoInstall.exe"), c.kept ? 1 : 0);
    if (c.kept) {
        EXPECT_TRUE(readFileBytes(target) == kProgram) << "the file differs from the body";
        EXPECT_EQ(filesIn(folder), std::vector<std::wstring>{L"ZelkoInstall.exe"});
    } else {
        expectNothingLeft();
    }
    const auto requests = ReferenceService::requests();
    ASSERT_GE(requests.size(), 1u);
    EXPECT_EQ(requests[0].userAgent, "ZELKOVER");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DownloadFileCase,
    ::testing::Values(
        DownloadCase{"Whole", {ServiceReply::text(kProgram)}, true},
        DownloadCase{"WholeWithoutContentLength", {withoutLength(kProgram)}, true},
        DownloadCase{"RedirectFollowed", {ServiceReply::redirect("/files/real.exe")}, true},
        DownloadCase{"NotFound", {ServiceReply::text(kProgram, 404)}, false},
        DownloadCase{"ErrorPage", {ServiceReply::text("<html><body>error</body></html>")}, false},
        DownloadCase{"Empty", {ServiceReply::text("")}, false},
        DownloadCase{"CutTransfer", {cut(kProgram, 20000)}, false},
        DownloadCase{"CutInTheFirstChunk", {cut(kProgram, 1)}, false},
        DownloadCase{"Dropped", {ServiceReply::dropped()}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloadFileTest, ReplacesAnEarlierDownload) {
    ASSERT_TRUE(writeFileBytes(target, "an earlier download"));
    ASSERT_TRUE(ReferenceService::route("*", "/files/new.exe", ServiceReply::text(kProgram)));
    EXPECT_EQ(download("/files/new.exe"), 1);
    EXPECT_TRUE(readFileBytes(target) == kProgram);
    EXPECT_EQ(filesIn(folder), std::vector<std::wstring>{L"ZelkoInstall.exe"});
}

TEST_F(DownloadFileTest, FailedDownloadLeavesAnEarlierFileAsItWas) {
    ASSERT_TRUE(writeFileBytes(target, "an earlier download"));
    ASSERT_TRUE(ReferenceService::route("*", "/files/new.exe", cut(kProgram, 30000)));
    EXPECT_EQ(download("/files/new.exe"), 0);
    EXPECT_EQ(readFileBytes(target), "an earlier download");
    EXPECT_EQ(filesIn(folder), std::vector<std::wstring>{L"ZelkoInstall.exe"});
}

TEST_F(DownloadFileTest, TargetInUseFails) {
    ASSERT_TRUE(writeFileBytes(target, "running"));
    HANDLE inUse =
        CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
    ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(ReferenceService::route("*", "/files/new.exe", ServiceReply::text(kProgram)));
    EXPECT_EQ(download("/files/new.exe"), 0);
    CloseHandle(inUse);
    EXPECT_EQ(readFileBytes(target), "running");
    EXPECT_EQ(filesIn(folder), std::vector<std::wstring>{L"ZelkoInstall.exe"});
}

TEST_F(DownloadFileTest, MissingFolderOrAddressFails) {
    ASSERT_TRUE(ReferenceService::route("*", "/files/new.exe", ServiceReply::text(kProgram)));
    EXPECT_EQ(downloadFile(ReferenceService::origin() + "/files/new.exe",
                           narrow(folder) + "\\missing\\ZelkoInstall.exe", keepGoing),
              0);
    EXPECT_EQ(downloadFile("", narrow(target), keepGoing), 0);
    expectNothingLeft();
    EXPECT_EQ(ReferenceService::requests().size(), 1u) << "the empty address was asked for";
}

TEST_F(DownloadFileTest, StopsAfterTheCurrentChunkAndLeavesNothing) {
    ServiceReply slow = ServiceReply::text(programBytes(100 * 4096));
    slow.chunkDelayMs = 100;  // ten seconds for the whole file
    ASSERT_TRUE(ReferenceService::route("*", "/files/slow.exe", slow));
    std::atomic<int> result{-1};
    std::atomic<ULONGLONG> returned{0};
    std::thread call([&] {
        result = download("/files/slow.exe");
        returned = GetTickCount64();
    });
    const bool asked =
        ReferenceService::waitForRequest(
            [](const ServiceRequest& r) { return r.target == "/files/slow.exe"; }, 5s)
            .has_value();
    // Let a few chunks reach the temporary file.
    EXPECT_TRUE(waitUntil([&] { return !filesIn(folder).empty(); }, 5s));
    Sleep(300);
    const ULONGLONG cleared = GetTickCount64();
    keepGoing = 0;
    call.join();
    ASSERT_TRUE(asked);
    EXPECT_EQ(result.load(), 0);
    EXPECT_LT(returned.load() - cleared, 1000u);
    expectNothingLeft();
}

TEST(InstallerDownloadPath, IsZelkoInstallInTheTemporaryFolder) {
    char folder[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
    EXPECT_EQ(installerDownloadPath(), std::string(folder) + "ZelkoInstall.exe");
}

TEST(SupportPageAddress, IsDriversPhpOnTheUpdateServer) {
    EXPECT_EQ(supportPageAddress(), ReferenceService::origin() + "/drivers.php");
}

}  // namespace
}  // namespace zelko::test
