// finder/KeptCopyProof.h
// Whether files about to be removed still have a copy that stays, proven by their bytes as
// they are now. What the scan read is no longer at hand, so a file to go is a copy only while
// it equals, byte for byte, a file that stays; a file that stays but was replaced after the
// scan proves nothing. The files are read side by side, block by block, as the scan's content
// comparison reads them: every file once at most (the files that stay once for all the files
// to go), and no further than some file to go still agrees with some file that stays.
#pragma once
#include <stdint.h>

#include <atomic>
#include <string>
#include <vector>

#include "finder/FileSource.h"

class KeptCopyProof
{
public:
    enum Verdict
    {
        kCopyStays,    // equal to a file that stays, and not that file by another name
        kNoCopyStays,  // differs from every file that stays (or none could be read)
        kUnreadable,   // could not be read as `size` bytes: in use, gone, shorter or longer
        kStopped,      // the stop came first
    };

    // Files held open at once; a larger group is read a share of it at a time, the files that
    // stay once per share.
    static const size_t kMaxOpenFiles = 64;
    // Read buffers of all files held open together.
    static const uint32_t kBufferBudget = 2 * 1024 * 1024;

    explicit KeptCopyProof(IFileSource& source) : m_source(source) {}

    // kept: full paths of the files that stay; toGo: those of the files to go, each of which
    // held `size` bytes when it was found. One verdict per toGo. stop (may be null) is looked
    // at before every read.
    std::vector<Verdict> Prove(const std::vector<std::string>& kept, const std::vector<std::string>& toGo,
                               uint64_t size, const std::atomic<int>* stop = nullptr);

private:
    struct Member;
    bool ProveShare(const std::vector<std::string>& kept, const std::vector<size_t>& share,
                    const std::vector<std::string>& toGo, uint64_t size, const std::atomic<int>* stop,
                    std::vector<Verdict>& verdicts);

    IFileSource& m_source;
    std::vector<uint8_t> m_blocks;
};
