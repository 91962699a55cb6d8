// tests/ui/update/UpgradeTransferTest.cpp
// The update check's download against the fixture's server on 127.0.0.1: redirects followed a
// few times only, a body cut at its cap (the server is hung up on), nothing left in the browser
// cache, and an abort that ends a transfer blocked in the network at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "tests/ui/update/UpgradeServer.h"
#include "ui/update/UpgradeCheck.h"
#include "ui/update/UpgradeTransfer.h"

namespace {

std::string OfferFile(const char* name)
{
    std::ifstream file(FixtureDir() + "\\upgrade-server\\www\\" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

TEST(UpgradeTransfer, RedirectsAreFollowedAFewTimesOnly)
{
    {
        // A loop ends after the last redirect allowed: no further request reaches the server.
        const std::string tag = UniqueTag();
        UpgradeTransfer transfer;
        const DWORD start = GetTickCount();
        const UpgradeTransferResult loop = transfer.Fetch(ServerAddress("/loop" + tag + "/0"), 1000);
        EXPECT_LT(GetTickCount() - start, 3000u);
        EXPECT_FALSE(loop.complete);
        EXPECT_EQ(loop.redirects, kMaxUpgradeRedirects);
        EXPECT_EQ(loop.visited.size(), kMaxUpgradeRedirects + 1);
        Sleep(200);
        EXPECT_EQ(ServerLogLines("GET /loop" + tag + "/"), kMaxUpgradeRedirects + 1);
    }
    // Up to the limit, relative addresses included, the file at the end is read.
    const struct {
        const char* path;
        bool complete;
        unsigned redirects;
    } hops[] = {
        {"/hop/0/newer.ini", true, 1},
        {"/hop/4/newer.ini", true, kMaxUpgradeRedirects},
        {"/hop/5/newer.ini", false, kMaxUpgradeRedirects},
    };
    for (const auto& hop : hops) {
        UpgradeTransfer transfer;
        const UpgradeTransferResult result = transfer.Fetch(ServerAddress(hop.path), 1000);
        EXPECT_EQ(result.complete, hop.complete) << hop.path;
        EXPECT_EQ(result.redirects, hop.redirects) << hop.path;
        if (hop.complete) {
            EXPECT_EQ(result.body, OfferFile("newer.ini")) << hop.path;
            EXPECT_EQ(result.visited.back(), ServerAddress("/newer.ini")) << hop.path;
        }
    }
}

TEST(UpgradeTransfer, TheBodyIsCutAtItsCapWhileItDownloads)
{
    const std::string tag = UniqueTag();
    UpgradeTransfer transfer;
    const DWORD start = GetTickCount();
    const UpgradeTransferResult big = transfer.Fetch(ServerAddress("/big?" + tag), kUpgradeFileCap);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_FALSE(big.complete);
    EXPECT_EQ(big.body.size(), kUpgradeFileCap + 1);
    // The server was hung up on long before its 100 MiB (what it sent sits in socket buffers).
    std::string sent;
    ASSERT_TRUE(WaitForServerLog("sent /big?" + tag + " ", 5000, &sent));
    EXPECT_LT(std::stoull(sent), 16ull << 20) << sent;
    // A body of exactly the cap is whole.
    const UpgradeTransferResult exact =
        transfer.Fetch(ServerAddress("/newer.ini"), OfferFile("newer.ini").size());
    EXPECT_TRUE(exact.complete);
    const UpgradeTransferResult over =
        transfer.Fetch(ServerAddress("/newer.ini"), OfferFile("newer.ini").size() - 1);
    EXPECT_FALSE(over.complete);
}

TEST(UpgradeTransfer, NothingIsLeftInTheBrowserCache)
{
    const CacheUse before = BrowserCacheUse();
    const std::string tag = UniqueTag();
    const std::string offer = ServerAddress("/newer.ini?k=" + tag);
    const std::string big = ServerAddress("/big?" + tag);
    UpgradeTransfer transfer;
    EXPECT_TRUE(transfer.Fetch(offer, kUpgradeFileCap).complete);
    EXPECT_FALSE(transfer.Fetch(big, kUpgradeFileCap).complete);
    EXPECT_TRUE(transfer.Fetch(ServerAddress("/hop/1/same.ini?" + tag), kUpgradeFileCap).complete);
    const CacheUse after = BrowserCacheUse();
    EXPECT_EQ(after.files, before.files);
    EXPECT_EQ(after.bytes, before.bytes);
}

// An answer that never comes, or a body that never ends: the transfer returns within a
// second of Abort from another thread, and hangs up on the server; left alone, it gives up
// after the network timeout as well.
TEST(UpgradeTransfer, AbortEndsATransferBlockedInTheNetwork)
{
    for (const char* path : {"/stall", "/trickle"}) {
        const std::string tag = UniqueTag();
        const std::string address = ServerAddress(path + ("?" + tag));
        UpgradeTransfer transfer;
        UpgradeTransferResult result;
        DWORD ended = 0;
        std::thread worker([&] {
            result = transfer.Fetch(address, kUpgradeFileCap);
            ended = GetTickCount();
        });
        ASSERT_TRUE(WaitForServerLog(std::string("GET ") + path + "?" + tag, 3000)) << path;
        Sleep(300);
        const DWORD aborted = GetTickCount();
        transfer.Abort();
        worker.join();
        EXPECT_LT(ended - aborted, 1000u) << path;
        EXPECT_FALSE(result.complete) << path;
        EXPECT_TRUE(WaitForServerLog(std::string("closed ") + path + "?" + tag, 1000)) << path;
        // Aborted once, it starts nothing more.
        EXPECT_FALSE(transfer.Fetch(ServerAddress("/newer.ini"), kUpgradeFileCap).complete);
    }
    const DWORD start = GetTickCount();
    UpgradeTransfer transfer;
    EXPECT_FALSE(transfer.Fetch(ServerAddress("/trickle?" + UniqueTag()), kUpgradeFileCap).complete);
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, kUpgradeNetworkTimeoutMs - 500);
    EXPECT_LT(took, kUpgradeNetworkTimeoutMs + 3000);
}
