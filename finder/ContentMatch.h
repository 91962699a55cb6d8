// finder/ContentMatch.h
// Tells which files of one size hold the same bytes, exactly. Each file is opened once and its
// head read; files whose heads differ from every partner's are let go at once, so a file that
// differs early costs one small read. The heads of one run share a fixed room: in a run of
// thousands of files each head is shorter, so that memory stays bounded whatever the run. Files that still agree are read on in step,
// block by block (a large file's last block next, as files that share a long start mostly
// differ at their end), and compared with one another: a set splits where the bytes differ, a
// file is let go (and closed) as soon as no partner is left, and reading stops there. A set
// larger than the files held open at once is read a batch at a time, each file through once
// more, and its batches' sets joined by comparing one member of each in full (MatchInRounds).
// No hash stands in for the bytes, so no crafted file can pass for another.
#pragma once
#include <stdint.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "finder/FileSource.h"
#include "finder/FoundFileRecord.h"
#include "finder/SkippedPaths.h"

class ContentMatcher
{
public:
    // Files held open at once; a larger set is compared in rounds, each file opened a few times
    // at most whatever the set's size.
    static constexpr size_t kMaxOpenFiles = 48;
    // Read buffers of all files held open together.
    static constexpr uint32_t kBufferBudget = 1024 * 1024;
    static constexpr uint32_t kLargestBlock = 256 * 1024;
    // The first read of every file (the whole of a smaller one), and the last block that is
    // compared next when more than one further block would remain.
    static constexpr uint32_t kHeadBytes = 4096;
    static constexpr uint32_t kTailBytes = 4096;
    // The heads of one run together: a run of more than kHeadBudget / kHeadBytes files gets
    // shorter heads (none at all past kHeadBudget files).
    static constexpr uint32_t kHeadBudget = 12 * 1024 * 1024;

    explicit ContentMatcher(IFileSource& source);
    ~ContentMatcher();

    // files all have `size` bytes (as listed). classes[i] becomes 0 when file i has no
    // byte-for-byte partner among them (or could not be read, or is another name of a file met
    // already), else a number from 1 up that exactly its copies share. False when the stop flag
    // ended the work first: then every class is 0.
    bool Match(const std::vector<FoundFileRecord*>& files, int64_t size, std::vector<uint32_t>* classes);

    // Files that could not be read as listed (gone, locked, shorter, longer), since construction.
    uint32_t Unreadable() const { return m_unreadable.count; }
    // The same files by full path (the first SkippedPaths::kMaxKept of them).
    const SkippedPaths& UnreadablePaths() const { return m_unreadable; }

    struct Member;
    typedef std::vector<Member*> Set;

private:
    void Open(Member& m);
    bool OpenAndReadHead(Member& m, int64_t size);
    bool CompareInStep(const Set& all, int64_t size, std::vector<Set>* equal);
    bool MatchInRounds(const Set& all, int64_t size, uint32_t* nextClass, std::vector<uint32_t>* classes);
    bool MixTails(const Set& all, int64_t size, uint32_t tail);
    bool MatchLargeSet(const Set& all, int64_t size, std::vector<Set>* equal);
    static Member* StandIn(const Set& set);
    bool ReadBatch(const Set& batch, int64_t size, std::vector<Set>* parts);
    void Fail(Member& m, int64_t size);
    void LetGo(Member& m, int64_t size);
    void Split(const Set& set, size_t length, uint8_t* Member::*bytes, int64_t size, std::vector<Set>* together);

    IFileSource& m_source;
    uint32_t m_headLength = 0;  // of the files of the current Match
    // The heads of the current Match (kHeadBudget at most) and the blocks of the current
    // comparison (kBufferBudget and a byte a file); they only grow.
    std::vector<uint8_t> m_heads;
    std::vector<uint8_t> m_blocks;
    std::vector<Member> m_members;  // of the current Match
    std::string m_path;
    // Split's working space, kept from one call to the next.
    std::vector<uint32_t> m_leader, m_count;
    std::vector<std::pair<uint64_t, uint32_t>> m_mixes;
    SkippedPaths m_unreadable;
};
