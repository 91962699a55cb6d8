// tests/finder/KeptCopyProofTest.cpp
// The proof a removal asks for just before checked files go: a file to go is a copy only
// while it equals, byte for byte and to its end, a file that stays. Every file is read once at
// most, the files that stay once for all the files to go, and reading stops once nothing to
// go can still be proven.
#include <gtest/gtest.h>

#include <stdint.h>

#include <atomic>
#include <string>
#include <vector>

#include "finder/KeptCopyProof.h"
#include "tests/finder/FakeFileSource.h"

namespace {

typedef KeptCopyProof::Verdict Verdict;

const uint64_t kLarge = 3 * 1024 * 1024 + 123;  // more blocks than one, and an odd end

// The bytes of a large file: the same for every copy, but for `changeAt` (if any).
FakeFileSource::Fill LargeBytes(uint64_t changeAt = UINT64_MAX)
{
    return [changeAt](uint64_t offset, uint8_t* out, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t at = offset + i;
            out[i] = uint8_t(at * 2654435761u >> 13) ^ (at == changeAt ? 0x5A : 0);
        }
    };
}

std::string Path(const std::string& name)
{
    return "M:\\g\\" + name;
}

}  // namespace

TEST(KeptCopyProof, AFileToGoIsACopyOnlyWhileAFileThatStaysHoldsItsBytesNow)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> kept;  // contents of the files that stay
        std::string toGo;
        Verdict verdict;
    } cases[] = {
        {"kept copy intact", {"same bytes"}, "same bytes", KeptCopyProof::kCopyStays},
        {"kept copy replaced, same size", {"SAME bytes"}, "same bytes", KeptCopyProof::kNoCopyStays},
        {"first kept replaced, second intact", {"SAME bytes", "same bytes"}, "same bytes", KeptCopyProof::kCopyStays},
        {"kept copy grew", {"same bytes and more"}, "same bytes", KeptCopyProof::kNoCopyStays},
        {"kept copy shrank", {"same"}, "same bytes", KeptCopyProof::kNoCopyStays},
        {"nothing stays", {}, "same bytes", KeptCopyProof::kNoCopyStays},
        {"empty files", {""}, "", KeptCopyProof::kCopyStays},
    };
    for (const Case& c : cases) {
        FakeFileSource files;
        std::vector<std::string> kept;
        for (size_t i = 0; i < c.kept.size(); ++i) {
            kept.push_back(Path("kept" + std::to_string(i)));
            files.AddFile(kept.back(), c.kept[i]);
        }
        files.AddFile(Path("go"), c.toGo);
        KeptCopyProof proof(files);
        const std::vector<Verdict> verdicts = proof.Prove(kept, {Path("go")}, c.toGo.size());
        ASSERT_EQ(1u, verdicts.size()) << c.what;
        EXPECT_EQ(c.verdict, verdicts[0]) << c.what;
    }
}

TEST(KeptCopyProof, LargeFilesAreComparedToTheirLastByteAndEachReadOnce)
{
    // One file that stays, three to go: an intact copy, one differing in its very last byte,
    // one differing in its first; and a file to go that cannot be opened.
    FakeFileSource files;
    files.AddGeneratedFile(Path("kept"), kLarge, LargeBytes());
    files.AddGeneratedFile(Path("copy"), kLarge, LargeBytes());
    files.AddGeneratedFile(Path("last-byte"), kLarge, LargeBytes(kLarge - 1));
    files.AddGeneratedFile(Path("first-byte"), kLarge, LargeBytes(0));
    files.AddGeneratedFile(Path("locked"), kLarge, LargeBytes());
    files.SetUnopenable(Path("locked"));
    KeptCopyProof proof(files);
    const std::vector<Verdict> verdicts = proof.Prove(
        {Path("kept")}, {Path("copy"), Path("last-byte"), Path("first-byte"), Path("locked")}, kLarge);
    ASSERT_EQ(4u, verdicts.size());
    EXPECT_EQ(KeptCopyProof::kCopyStays, verdicts[0]);
    EXPECT_EQ(KeptCopyProof::kNoCopyStays, verdicts[1]);
    EXPECT_EQ(KeptCopyProof::kNoCopyStays, verdicts[2]);
    EXPECT_EQ(KeptCopyProof::kUnreadable, verdicts[3]);
    for (const char* name : {"kept", "copy", "last-byte", "first-byte"}) {
        EXPECT_EQ(1, files.OpenCount(Path(name))) << name;
        EXPECT_LE(files.BytesRead(Path(name)), kLarge) << name << ": read once at most";
    }
    EXPECT_EQ(kLarge, files.BytesRead(Path("kept")));
    EXPECT_LE(files.BytesRead(Path("first-byte")), 64u * 1024) << "let go after its first block";
}

TEST(KeptCopyProof, AReplacedKeptCopyStopsTheReadingAtOnce)
{
    // Many large copies, and the only file that stays replaced at its start: nothing to go can
    // be proven after the first block, so nothing more is read.
    FakeFileSource files;
    files.AddGeneratedFile(Path("kept"), kLarge, LargeBytes(10));
    std::vector<std::string> toGo;
    for (int i = 0; i < 5; ++i) {
        toGo.push_back(Path("copy" + std::to_string(i)));
        files.AddGeneratedFile(toGo.back(), kLarge, LargeBytes());
    }
    KeptCopyProof proof(files);
    for (Verdict verdict : proof.Prove({Path("kept")}, toGo, kLarge))
        EXPECT_EQ(KeptCopyProof::kNoCopyStays, verdict);
    EXPECT_LE(files.BytesRead(), 6u * 64 * 1024);
}

TEST(KeptCopyProof, AGroupLargerThanTheOpenFilesIsProvenAShareAtATime)
{
    FakeFileSource files;
    files.AddFile(Path("kept"), "small copy");
    std::vector<std::string> toGo;
    const size_t n = KeptCopyProof::kMaxOpenFiles * 2 + 5;
    for (size_t i = 0; i < n; ++i) {
        toGo.push_back(Path("copy" + std::to_string(i)));
        files.AddFile(toGo.back(), i == n - 1 ? "SMALL copy" : "small copy");
    }
    KeptCopyProof proof(files);
    const std::vector<Verdict> verdicts = proof.Prove({Path("kept")}, toGo, 10);
    ASSERT_EQ(n, verdicts.size());
    for (size_t i = 0; i < n; ++i)
        EXPECT_EQ(i == n - 1 ? KeptCopyProof::kNoCopyStays : KeptCopyProof::kCopyStays, verdicts[i]) << i;
    EXPECT_LE(files.MostOpenAtOnce(), int(KeptCopyProof::kMaxOpenFiles));
    EXPECT_EQ(3, files.OpenCount(Path("kept"))) << "once per share";
}

TEST(KeptCopyProof, AStopEndsTheProofAndProvesNothingLeft)
{
    FakeFileSource files;
    files.AddGeneratedFile(Path("kept"), kLarge, LargeBytes());
    files.AddGeneratedFile(Path("copy"), kLarge, LargeBytes());
    std::atomic<int> stop{0};
    files.OnRead([&](const std::string&, uint64_t offset) {
        if (offset > 0)
            stop = 1;
    });
    KeptCopyProof proof(files);
    const std::vector<Verdict> verdicts = proof.Prove({Path("kept")}, {Path("copy")}, kLarge, &stop);
    ASSERT_EQ(1u, verdicts.size());
    EXPECT_EQ(KeptCopyProof::kStopped, verdicts[0]);
    EXPECT_LT(files.BytesRead(), 2 * kLarge);
}
