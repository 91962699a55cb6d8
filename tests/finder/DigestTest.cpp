// tests/finder/DigestTest.cpp
// CryptoAPI digests: known values, whole-file streaming, files that are not what was listed.
#include <gtest/gtest.h>

#include "finder/FileDigest.h"
#include "tests/finder/FakeFileSource.h"

namespace {

TEST(Digest, KnownValues)
{
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", HashBufferHex("abc", 3, kDigestMd5));
    EXPECT_EQ("a9993e364706816aba3e25717850c26c9cd0d89d", HashBufferHex("abc", 3, kDigestSha1));
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
              HashBufferHex("abc", 3, kDigestSha256));
    EXPECT_EQ("", HashBufferHex("abc", 3, 7));  // no such algorithm
}

TEST(Digest, WholeFileInLargeReads)
{
    // Larger than one read, so that the digest is streamed over several.
    std::string data(FileDigester::kReadSize * 2 + 12345, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = char(i * 7 + (i >> 11));
    int reads = 0;
    MemoryFile file(data, &reads);
    FileDigester digester(kDigestSha256);
    ASSERT_TRUE(digester.Ready());
    std::string hex, identity;
    EXPECT_EQ(kDigestDone, digester.Digest(file, int64_t(data.size()), &hex, &identity));
    EXPECT_EQ(HashBufferHex(data.data(), uint32_t(data.size()), kDigestSha256), hex);
    EXPECT_LE(reads, 4 + 1);  // three reads and the look past the end
}

TEST(Digest, FileThatIsNotWhatWasListed)
{
    FileDigester digester(kDigestMd5);
    std::string hex;
    MemoryFile shorter(std::string(1000, 'a'));
    EXPECT_EQ(kDigestUnreadable, digester.Digest(shorter, 2000, &hex, nullptr));
    EXPECT_EQ("", hex);
    MemoryFile longer(std::string(3000, 'a'));
    EXPECT_EQ(kDigestUnreadable, digester.Digest(longer, 2000, &hex, nullptr));
    FakeFileSource none;
    EXPECT_EQ(kDigestUnreadable, digester.Digest(none, "M:\\missing.txt", 10, &hex));
}

TEST(Digest, RefusedAlgorithmIsACryptoFailure)
{
    FileDigester digester(99);
    EXPECT_FALSE(digester.Ready());
    MemoryFile file(std::string(10, 'a'));
    std::string hex;
    EXPECT_EQ(kDigestCryptoFailed, digester.Digest(file, 10, &hex, nullptr));
}

}  // namespace
