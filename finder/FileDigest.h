// finder/FileDigest.h
// Digests through CryptoAPI. A file is digested whole, streamed in large reads, so that a group
// of files is confirmed by everything they hold and never by a sample.
#pragma once
#include <stdint.h>
#include <string>

#include "finder/FileSource.h"

enum DigestAlgorithm
{
    kDigestSha1 = 0,
    kDigestMd5 = 1,
    kDigestSha256 = 2,
};

// The digest of a buffer in lower-case hex; empty when CryptoAPI fails or the algorithm is
// unknown.
std::string HashBufferHex(const void* data, uint32_t length, int algorithm);

enum DigestOutcome
{
    kDigestDone = 0,
    kDigestUnreadable = 1,      // the file could not be opened, or was not size bytes long
    kDigestCryptoFailed = 2,    // CryptoAPI refused: nothing can be confirmed
};

// Digests whole files, one after another, through one CryptoAPI context.
class FileDigester
{
public:
    explicit FileDigester(int algorithm);
    ~FileDigester();
    FileDigester(const FileDigester&) = delete;
    FileDigester& operator=(const FileDigester&) = delete;

    // False when CryptoAPI offers no context (every digest would fail).
    bool Ready() const { return m_provider != 0 && m_buffer != nullptr; }

    // Digest of the file's content, which must be exactly size bytes. Empty unless kDigestDone.
    // identity, when given, receives the file's identity (empty when it cannot be told).
    DigestOutcome Digest(IFileSource& source, const std::string& path, int64_t size, std::string* hex,
                         std::string* identity = nullptr);
    DigestOutcome Digest(IReadableFile& file, int64_t size, std::string* hex, std::string* identity);

    static const uint32_t kReadSize = 1024 * 1024;

private:
    uintptr_t m_provider = 0;  // HCRYPTPROV
    unsigned m_algorithmId = 0;
    uint8_t* m_buffer = nullptr;
};
