// finder/FileDigest.cpp
#include "finder/FileDigest.h"

#include <windows.h>
#include <wincrypt.h>

#include <new>

#include "finder/ContentSignature.h"

static ALG_ID AlgorithmId(int algorithm)
{
    switch (algorithm) {
    case kDigestSha1: return CALG_SHA1;
    case kDigestMd5: return CALG_MD5;
    case kDigestSha256: return CALG_SHA_256;
    default: return 0;
    }
}

static std::string FinishHash(HCRYPTHASH hash)
{
    DWORD length = 0;
    DWORD field = sizeof(length);
    if (!CryptGetHashParam(hash, HP_HASHSIZE, reinterpret_cast<BYTE*>(&length), &field, 0) ||
        length == 0 || length > 64)
        return std::string();
    BYTE value[64];
    if (!CryptGetHashParam(hash, HP_HASHVAL, value, &length, 0))
        return std::string();
    return HexEncode(value, length);
}

std::string HashBufferHex(const void* data, uint32_t length, int algorithm)
{
    ALG_ID id = AlgorithmId(algorithm);
    if (!id || (!data && length > 0))
        return std::string();
    HCRYPTPROV provider = 0;
    if (!CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
        return std::string();
    std::string hex;
    HCRYPTHASH hash = 0;
    if (CryptCreateHash(provider, id, 0, 0, &hash)) {
        if (CryptHashData(hash, static_cast<const BYTE*>(data), length, 0))
            hex = FinishHash(hash);
        CryptDestroyHash(hash);
    }
    CryptReleaseContext(provider, 0);
    return hex;
}

FileDigester::FileDigester(int algorithm) : m_algorithmId(AlgorithmId(algorithm))
{
    HCRYPTPROV provider = 0;
    if (m_algorithmId &&
        CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
        m_provider = provider;
    m_buffer = new (std::nothrow) uint8_t[kReadSize];
}

FileDigester::~FileDigester()
{
    if (m_provider)
        CryptReleaseContext(HCRYPTPROV(m_provider), 0);
    delete[] m_buffer;
}

DigestOutcome FileDigester::Digest(IFileSource& source, const std::string& path, int64_t size,
                                   std::string* hex, std::string* identity)
{
    hex->clear();
    if (identity)
        identity->clear();
    if (!Ready())
        return kDigestCryptoFailed;
    std::unique_ptr<IReadableFile> file = source.OpenRead(path);
    if (!file)
        return kDigestUnreadable;
    return Digest(*file, size, hex, identity);
}

DigestOutcome FileDigester::Digest(IReadableFile& opened, int64_t size, std::string* hex,
                                   std::string* identity)
{
    IReadableFile* file = &opened;
    hex->clear();
    if (identity)
        identity->clear();
    if (!Ready())
        return kDigestCryptoFailed;
    HCRYPTHASH hash = 0;
    if (identity && !file->Identity(identity))
        identity->clear();
    if (!CryptCreateHash(HCRYPTPROV(m_provider), m_algorithmId, 0, 0, &hash))
        return kDigestCryptoFailed;
    DigestOutcome outcome = kDigestDone;
    uint64_t offset = 0;
    while (offset < uint64_t(size)) {
        uint64_t left = uint64_t(size) - offset;
        uint32_t want = left < kReadSize ? uint32_t(left) : kReadSize;
        uint32_t got = 0;
        // A short read means the file is not the one that was listed: it confirms nothing.
        if (!file->ReadAt(offset, m_buffer, want, &got) || got == 0) {
            outcome = kDigestUnreadable;
            break;
        }
        if (!CryptHashData(hash, m_buffer, got, 0)) {
            outcome = kDigestCryptoFailed;
            break;
        }
        offset += got;
    }
    if (outcome == kDigestDone) {
        uint32_t extra = 0;
        if (!file->ReadAt(offset, m_buffer, 1, &extra) || extra != 0)
            outcome = kDigestUnreadable;  // it grew since it was listed
    }
    if (outcome == kDigestDone) {
        *hex = FinishHash(hash);
        if (hex->empty())
            outcome = kDigestCryptoFailed;
    }
    CryptDestroyHash(hash);
    return outcome;
}
