// finder/ContentMatch.cpp
#include "finder/ContentMatch.h"

#include <string.h>

#include <algorithm>
#include <map>
#include <set>

#include "finder/ContentSignature.h"
#include "finder/GroupKey.h"
#include "finder/ScanState.h"

namespace {

const uint32_t kTailBytes = 4096;
const uint32_t kFirstBlock = 64 * 1024;
const uint32_t kSmallestBlock = 4096;

// The file as the signature reads it: the head (already read) and the last few KiB (read in
// one go when a sample first lands there) come from memory, so that sampling a file costs few
// reads.
class SampledFile : public IReadableFile
{
public:
    SampledFile(IReadableFile& file, const uint8_t* head, uint32_t headLength, int64_t size)
        : m_file(file), m_head(head), m_headLength(headLength), m_size(uint64_t(size))
    {
    }

    bool ReadAt(uint64_t offset, void* buffer, uint32_t count, uint32_t* got) override
    {
        *got = 0;
        if (offset + count <= m_headLength) {
            memcpy(buffer, m_head + offset, count);
            *got = count;
            return true;
        }
        const uint64_t tailStart = std::max<uint64_t>(m_headLength, m_size > kTailBytes ? m_size - kTailBytes : 0);
        if (offset >= tailStart && offset + count <= m_size) {
            if (m_tail.empty()) {
                m_tail.resize(size_t(m_size - tailStart));
                if (!ReadExactly(m_file, tailStart, m_tail.data(), uint32_t(m_tail.size()))) {
                    m_tail.clear();
                    return false;
                }
            }
            memcpy(buffer, m_tail.data() + (offset - tailStart), count);
            *got = count;
            return true;
        }
        return m_file.ReadAt(offset, buffer, count, got);
    }

private:
    IReadableFile& m_file;
    const uint8_t* m_head;
    const uint32_t m_headLength;
    const uint64_t m_size;
    std::vector<uint8_t> m_tail;
};

}  // namespace

struct ContentMatcher::Member
{
    FoundFileRecord* record = nullptr;
    size_t index = 0;
    std::unique_ptr<IReadableFile> file;
    std::string signature;
    // Both in the matcher's buffers, which each Match (and each comparison) lays out anew.
    uint8_t* head = nullptr;     // the first bytes (the whole file when it is small)
    uint8_t* block = nullptr;    // the block being compared
    bool checkedEnd = false;     // known to end where it was listed to end
    std::string identity;        // volume and file index, once it is in a set of copies
    uint64_t accounted = 0;      // bytes of it counted as compared
    bool failed = false;

    // Counts its bytes up to `upTo` as done for the progress.
    void Account(uint64_t upTo)
    {
        if (upTo > accounted) {
            g_scanBytesCompared += upTo - accounted;
            accounted = upTo;
        }
    }
    void Close()
    {
        file.reset();
        block = nullptr;
    }
};

void ContentMatcher::Fail(Member& m, int64_t size)
{
    if (!m.failed)
        ++m_unreadable;
    m.failed = true;
    m.Close();
    m.Account(uint64_t(size));
}

bool ContentMatcher::OpenAndSign(Member& m, int64_t size)
{
    m.file = m_source.OpenRead(m.record->FullPath());
    if (!m.file)
        return false;
    // A file read whole is asked for one byte more, which must not come: it did not grow.
    const bool whole = m_headLength == uint64_t(size);
    const uint32_t ask = m_headLength + (whole ? 1 : 0);  // the head's room holds one byte more
    uint32_t total = 0;
    while (total < m_headLength) {
        uint32_t got = 0;
        if (!m.file->ReadAt(total, m.head + total, ask - total, &got) || got == 0)
            return false;  // shorter than listed, or unreadable
        total += got;
    }
    if (total > m_headLength)
        return false;  // longer than listed
    m.checkedEnd = whole;
    SampledFile sampled(*m.file, m.head, m_headLength, size);
    m.signature = ContentSignature(sampled, size, m_percent);
    return !m.signature.empty();
}

// Splits a set into the runs of members whose bytes (bytesOf) are equal, in the set's order.
template <class BytesOf>
static std::vector<std::vector<ContentMatcher::Member*>> SplitByBytes(const std::vector<ContentMatcher::Member*>& set,
                                                                      size_t length, BytesOf bytesOf)
{
    std::vector<std::vector<ContentMatcher::Member*>> parts;
    for (ContentMatcher::Member* m : set) {
        bool placed = false;
        for (auto& part : parts) {
            if (memcmp(bytesOf(part.front()), bytesOf(m), length) == 0) {
                part.push_back(m);
                placed = true;
                break;
            }
        }
        if (!placed)
            parts.push_back({m});
    }
    return parts;
}

// Reads the members in step and leaves in `equal` the sets (two or more) of members whose
// whole content is the same; every other member is closed as soon as it has no partner left.
// The survivors' files are closed too, once their identity is known. False on a stop.
bool ContentMatcher::CompareInStep(const Set& all, int64_t size, std::vector<Set>* equal)
{
    equal->clear();
    Set open;
    for (Member* m : all) {
        if (m->failed)
            continue;
        if (!m->file)
            m->file = m_source.OpenRead(m->record->FullPath());
        if (m->file)
            open.push_back(m);
        else
            Fail(*m, size);
    }
    const uint32_t headLength = m_headLength;
    std::vector<Set> sets;
    for (Set& part : SplitByBytes(open, headLength, [](Member* m) { return m->head; })) {
        if (part.size() >= 2) {
            sets.push_back(part);
        } else {
            part.front()->Close();
            part.front()->Account(uint64_t(size));
        }
    }
    const uint32_t members = uint32_t(std::max<size_t>(open.size(), 1));
    uint32_t largest = std::min(kLargestBlock, std::max(kSmallestBlock, kBufferBudget / members));
    largest -= largest % kSmallestBlock;
    uint32_t block = std::min(kFirstBlock, largest);
    uint64_t offset = headLength;
    if (offset < uint64_t(size)) {
        // Reused from one comparison to the next: no allocation, and no zeroing, per file.
        if (m_blocks.size() < size_t(largest) * open.size())
            m_blocks.resize(size_t(largest) * open.size());
        for (size_t i = 0; i < open.size(); ++i)
            open[i]->block = m_blocks.data() + size_t(largest) * i;
    }
    while (offset < uint64_t(size) && !sets.empty()) {
        const uint32_t want = uint32_t(std::min<uint64_t>(block, uint64_t(size) - offset));
        std::vector<Set> next;
        for (Set& set : sets) {
            Set read;
            for (Member* m : set) {
                if (g_scanStop)
                    return false;
                if (ReadExactly(*m->file, offset, m->block, want)) {
                    read.push_back(m);
                    m->Account(offset + want);
                } else {
                    Fail(*m, size);  // shorter than listed, gone, or locked meanwhile
                }
            }
            for (Set& part : SplitByBytes(read, want, [](Member* m) { return m->block; })) {
                if (part.size() >= 2) {
                    next.push_back(part);
                } else {
                    part.front()->Close();
                    part.front()->Account(uint64_t(size));
                }
            }
        }
        sets.swap(next);
        offset += want;
        block = std::min(block * 4, largest);
    }
    for (Set& set : sets) {
        Set kept;
        for (Member* m : set) {
            // A file that grew since it was listed is not the file that was listed.
            uint8_t extra = 0;
            uint32_t got = 0;
            if (!m->checkedEnd && (!m->file->ReadAt(uint64_t(size), &extra, 1, &got) || got != 0)) {
                Fail(*m, size);
                continue;
            }
            std::string id;
            m->identity = m->file->Identity(&id) ? VolumeRoot(m->record->folder) + id : std::string();
            m->Account(uint64_t(size));
            m->Close();
            kept.push_back(m);
        }
        if (kept.size() >= 2)
            equal->push_back(kept);
    }
    for (Member* m : open)
        m->Close();
    return true;
}

// A set larger than the files held open at once: each batch is compared with one member of
// every content met so far (a few at a time), then among itself. Only those representatives are
// opened a second time.
bool ContentMatcher::MatchInRounds(const Set& all, int64_t size, uint32_t* nextClass,
                                   std::vector<uint32_t>* classes)
{
    const size_t batchSize = kMaxOpenFiles / 2;
    Set representatives;
    for (size_t start = 0; start < all.size(); start += batchSize) {
        Set unmatched(all.begin() + start, all.begin() + std::min(all.size(), start + batchSize));
        std::vector<Set> equal;
        for (size_t r = 0; r < representatives.size() && !unmatched.empty(); r += batchSize) {
            Set compared = unmatched;
            const Set chunk(representatives.begin() + r,
                            representatives.begin() + std::min(representatives.size(), r + batchSize));
            compared.insert(compared.end(), chunk.begin(), chunk.end());
            if (!CompareInStep(compared, size, &equal))
                return false;
            std::set<Member*> joined;
            for (const Set& set : equal) {
                auto rep = std::find_first_of(set.begin(), set.end(), chunk.begin(), chunk.end());
                if (rep == set.end())
                    continue;
                uint32_t& cls = (*classes)[(*rep)->index];
                if (cls == 0)
                    cls = (*nextClass)++;
                for (Member* m : set) {
                    if (std::find(chunk.begin(), chunk.end(), m) == chunk.end()) {
                        (*classes)[m->index] = cls;
                        joined.insert(m);
                    }
                }
            }
            Set left;
            for (Member* m : unmatched) {
                if (!joined.count(m) && !m->failed)
                    left.push_back(m);
            }
            unmatched.swap(left);
        }
        // What matched no earlier content is compared among itself; every content it holds is
        // one more representative.
        if (!CompareInStep(unmatched, size, &equal))
            return false;
        std::set<Member*> inSets;
        for (const Set& set : equal) {
            const uint32_t cls = (*nextClass)++;
            for (Member* m : set) {
                (*classes)[m->index] = cls;
                inSets.insert(m);
            }
            representatives.push_back(set.front());
        }
        for (Member* m : unmatched) {
            if (!inSets.count(m) && !m->failed)
                representatives.push_back(m);
        }
    }
    return true;
}

bool ContentMatcher::Match(const std::vector<FoundFileRecord*>& files, int64_t size, std::vector<uint32_t>* classes)
{
    classes->assign(files.size(), 0);
    const bool whole = size <= int64_t(kWholeFileBytes) && uint64_t(size) * files.size() <= kBufferBudget;
    m_headLength = uint32_t(whole ? size : std::min<int64_t>(size, kHeadBytes));
    std::vector<Member> members(files.size());
    const size_t stride = size_t(m_headLength) + 1;
    if (m_heads.size() < stride * files.size())
        m_heads.resize(stride * files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        members[i].record = files[i];
        members[i].index = i;
        members[i].head = m_heads.data() + stride * i;
    }
    auto stopped = [&] {
        classes->assign(files.size(), 0);
        return false;
    };
    // Signatures first; files stay open for the comparison unless there are too many.
    std::map<std::string, Set> bySignature;
    std::vector<std::string> order;
    for (Member& m : members) {
        if (g_scanStop)
            return stopped();
        if (!OpenAndSign(m, size)) {
            if (g_scanStop)
                return stopped();
            Fail(m, size);
            continue;
        }
        if (files.size() > kMaxOpenFiles)
            m.Close();
        Set& set = bySignature[m.signature];
        if (set.empty())
            order.push_back(m.signature);
        set.push_back(&m);
    }
    if (g_scanStop)
        return stopped();
    uint32_t nextClass = 1;
    for (const std::string& signature : order) {
        const Set& set = bySignature[signature];
        if (set.size() < 2) {
            set.front()->Close();
            set.front()->Account(uint64_t(size));
            continue;
        }
        if (set.size() > kMaxOpenFiles) {
            if (!MatchInRounds(set, size, &nextClass, classes))
                return stopped();
            continue;
        }
        std::vector<Set> equal;
        if (!CompareInStep(set, size, &equal))
            return stopped();
        for (const Set& copies : equal) {
            const uint32_t cls = nextClass++;
            for (Member* m : copies)
                (*classes)[m->index] = cls;
        }
    }
    // Another name of a file already in the set (a link, a hard link) is the same file, not a
    // copy: removing "the copy" would remove the file.
    std::map<uint32_t, std::vector<Member*>> byClass;
    for (Member& m : members) {
        if ((*classes)[m.index])
            byClass[(*classes)[m.index]].push_back(&m);
    }
    for (auto& entry : byClass) {
        std::set<std::string> seen;
        size_t left = 0;
        for (Member* m : entry.second) {
            if (!m->identity.empty() && !seen.insert(m->identity).second)
                (*classes)[m->index] = 0;
            else
                ++left;
        }
        if (left < 2) {
            for (Member* m : entry.second)
                (*classes)[m->index] = 0;
        }
    }
    return true;
}
