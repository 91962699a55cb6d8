// finder/ContentMatch.cpp
#include "finder/ContentMatch.h"

#include <string.h>
#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <chrono>
#include <map>
#include <set>

#include "finder/GroupKey.h"
#include "finder/ParallelWork.h"
#include "finder/ScanState.h"

// A scan runs a matcher on each of its workers at once; their buffers together stay within
// 64 MiB whatever the runs (a 32-bit process has 2 GiB in all).
static_assert(kParallelWorkThreads * (uint64_t(ContentMatcher::kHeadBudget) + ContentMatcher::kBufferBudget +
                                      ContentMatcher::kMaxOpenFiles + ContentMatcher::kTailBytes + 1) <=
                  uint64_t(64) << 20,
              "the matchers' buffers stay within 64 MiB");

namespace {

const uint32_t kFirstBlock = 64 * 1024;
const uint32_t kSmallestBlock = 4096;

// Whether n bytes agree, 64 bytes a step where the processor can (SSE2), else a word at a time:
// the C library's memcmp goes a byte at a time under Wine, and every byte of every copy passes
// through here.
bool SameWords(const uint8_t* a, const uint8_t* b, size_t n)
{
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        uint32_t x[4], y[4];
        memcpy(x, a + i, 16);
        memcpy(y, b + i, 16);
        if (((x[0] ^ y[0]) | (x[1] ^ y[1]) | (x[2] ^ y[2]) | (x[3] ^ y[3])) != 0)
            return false;
    }
    for (; i < n; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

#if defined(__i386__) || defined(__x86_64__)
__attribute__((target("sse2"))) bool SameVectors(const uint8_t* a, const uint8_t* b, size_t n)
{
    size_t i = 0;
    for (; i + 64 <= n; i += 64) {
        const __m128i* x = reinterpret_cast<const __m128i*>(a + i);
        const __m128i* y = reinterpret_cast<const __m128i*>(b + i);
        const __m128i e0 = _mm_cmpeq_epi8(_mm_loadu_si128(x), _mm_loadu_si128(y));
        const __m128i e1 = _mm_cmpeq_epi8(_mm_loadu_si128(x + 1), _mm_loadu_si128(y + 1));
        const __m128i e2 = _mm_cmpeq_epi8(_mm_loadu_si128(x + 2), _mm_loadu_si128(y + 2));
        const __m128i e3 = _mm_cmpeq_epi8(_mm_loadu_si128(x + 3), _mm_loadu_si128(y + 3));
        if (_mm_movemask_epi8(_mm_and_si128(_mm_and_si128(e0, e1), _mm_and_si128(e2, e3))) != 0xFFFF)
            return false;
    }
    return SameWords(a + i, b + i, n - i);
}

bool SameBytes(const uint8_t* a, const uint8_t* b, size_t n)
{
    static const bool vectors = __builtin_cpu_supports("sse2");
    return vectors ? SameVectors(a, b, n) : SameWords(a, b, n);
}
#else
bool SameBytes(const uint8_t* a, const uint8_t* b, size_t n)
{
    return SameWords(a, b, n);
}
#endif

// A cheap mix of n bytes, only to sort many heads into likely-equal runs before they are
// compared byte for byte.
uint64_t MixOf(const uint8_t* p, size_t n)
{
    uint64_t h = 1469598103934665603ull ^ n;
    size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        uint32_t w;
        memcpy(&w, p + i, 4);
        h = (h ^ w) * 1099511628211ull;
    }
    for (; i < n; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

// The seed of the mixes that tell files apart across batches: of this process only, so that
// files made to mix alike cost a crafter a comparison, not a false copy (none can come of it).
uint64_t MixSeed()
{
    static const uint64_t seed =
        (uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) * 0x9E3779B97F4A7C15ull) ^
        uint64_t(uintptr_t(&seed));
    return seed;
}

// Mixes n bytes into h, 8 at a time: bytes given in pieces whose sizes are multiples of 8 (but
// the last) mix as when given at once.
uint64_t MixOn(uint64_t h, const uint8_t* p, size_t n)
{
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        memcpy(&w, p + i, 8);
        h = (h ^ w) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    for (; i < n; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

// The head of each of `files` files of `size` bytes: kHeadBytes, or the whole of a smaller file
// with room for the byte that must not come after it; shorter, so that all of them fit in
// kHeadBudget, when there are many.
uint32_t HeadLength(int64_t size, size_t files)
{
    if (size <= 0)
        return 0;
    const uint64_t room = ContentMatcher::kHeadBudget / std::max<size_t>(files, 1);
    if (uint64_t(size) <= ContentMatcher::kHeadBytes && uint64_t(size) < room)
        return uint32_t(size);
    return uint32_t(std::min<uint64_t>({ContentMatcher::kHeadBytes, room, uint64_t(size) - 1}));
}

// Reads count bytes at offset into buffer. With atEnd the file must end there too: the last
// read asks for one byte more (the buffer holds count + 1), which must not come.
bool ReadBlock(IReadableFile& file, uint64_t offset, uint8_t* buffer, uint32_t count, bool atEnd)
{
    const uint32_t ask = count + (atEnd ? 1 : 0);
    uint32_t total = 0;
    while (total < count) {
        uint32_t got = 0;
        if (!file.ReadAt(offset + total, buffer + total, ask - total, &got) || got == 0)
            return false;  // shorter than listed, or unreadable
        total += got;
    }
    return total == count;  // more: longer than listed
}

}  // namespace

struct ContentMatcher::Member
{
    FoundFileRecord* record = nullptr;
    size_t index = 0;
    std::unique_ptr<IReadableFile> file;
    // Both in the matcher's buffers, which each Match (and each comparison) lays out anew.
    uint8_t* head = nullptr;     // the first bytes (the whole file when it is small)
    uint8_t* block = nullptr;    // the block being compared
    bool checkedEnd = false;     // known to end where it was listed to end
    std::string identity;        // volume and file index, once it is in a set of copies
    uint64_t accounted = 0;      // bytes of it counted as compared
    uint64_t mix = 0;            // of its bytes read in rounds (MatchInRounds)
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

ContentMatcher::ContentMatcher(IFileSource& source) : m_source(source)
{
}

ContentMatcher::~ContentMatcher() = default;

void ContentMatcher::Fail(Member& m, int64_t size)
{
    if (!m.failed)
        m_unreadable.Add(m.record->FullPath());
    m.failed = true;
    m.Close();
    m.Account(uint64_t(size));
}

// A member with no partner left: nothing more of it is read.
void ContentMatcher::LetGo(Member& m, int64_t size)
{
    m.Close();
    m.Account(uint64_t(size));
}

void ContentMatcher::Open(Member& m)
{
    m_path.assign(m.record->folder.str());  // the text's room is kept from file to file
    m_path += m.record->name;
    m.file = m_source.OpenRead(m_path);
}

bool ContentMatcher::OpenAndReadHead(Member& m, int64_t size)
{
    Open(m);
    if (!m.file)
        return false;
    m.checkedEnd = m_headLength == uint64_t(size);
    return ReadBlock(*m.file, 0, m.head, m_headLength, m.checkedEnd);
}

// Splits a set into the runs of members whose bytes (`bytes`, `length` of them) are equal: each
// run of two or more goes to `together` (in the set's order, the runs in the order of their
// first members), every member left alone is let go. Nothing is allocated for those alone.
void ContentMatcher::Split(const Set& set, size_t length, uint8_t* Member::*bytes, int64_t size,
                           std::vector<Set>* together)
{
    const size_t n = set.size();
    std::vector<uint32_t>& leader = m_leader;  // the first member whose bytes equal each one's
    leader.resize(n);
    auto same = [&](size_t i, size_t j) { return SameBytes(set[i]->*bytes, set[j]->*bytes, length); };
    if (n <= 16) {
        for (size_t i = 0; i < n; ++i) {
            leader[i] = uint32_t(i);
            for (size_t j = 0; j < i; ++j) {
                if (leader[j] == j && same(j, i)) {
                    leader[i] = uint32_t(j);
                    break;
                }
            }
        }
    } else {
        // Many members (a large run of one size, mostly all different): sorted by a mix of
        // their bytes first, so that each is compared only with those that mix alike.
        m_mixes.resize(n);
        for (size_t i = 0; i < n; ++i)
            m_mixes[i] = std::make_pair(MixOf(set[i]->*bytes, length), uint32_t(i));
        std::sort(m_mixes.begin(), m_mixes.end());
        for (size_t r = 0; r < n;) {
            size_t end = r + 1;
            while (end < n && m_mixes[end].first == m_mixes[r].first)
                ++end;
            for (size_t k = r; k < end; ++k) {
                const uint32_t i = m_mixes[k].second;
                leader[i] = i;
                for (size_t q = r; q < k; ++q) {
                    const uint32_t j = m_mixes[q].second;
                    if (leader[j] == j && same(j, i)) {
                        leader[i] = j;
                        break;
                    }
                }
            }
            r = end;
        }
    }
    m_count.assign(n, 0);
    for (size_t i = 0; i < n; ++i)
        ++m_count[leader[i]];
    for (size_t i = 0; i < n; ++i) {
        if (leader[i] != i)
            continue;
        if (m_count[i] < 2) {
            LetGo(*set[i], size);
            continue;
        }
        Set part;
        part.reserve(m_count[i]);
        for (size_t j = i; j < n && part.size() < m_count[i]; ++j) {
            if (leader[j] == i)
                part.push_back(set[j]);
        }
        together->push_back(std::move(part));
    }
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
            Open(*m);
        if (m->file)
            open.push_back(m);
        else
            Fail(*m, size);
    }
    const uint32_t headLength = m_headLength;
    std::vector<Set> sets;
    Split(open, headLength, &Member::head, size, &sets);
    const uint32_t members = uint32_t(std::max<size_t>(open.size(), 1));
    uint32_t largest = std::min(kLargestBlock, std::max(kSmallestBlock, kBufferBudget / members));
    largest -= largest % kSmallestBlock;
    uint64_t offset = headLength;
    uint64_t end = uint64_t(size);
    if (offset < end) {
        // Reused from one comparison to the next: no allocation, and no zeroing, per file. Each
        // block has room for the byte that must not come at the end.
        const size_t stride = size_t(largest) + 1;
        if (m_blocks.size() < stride * open.size())
            m_blocks.resize(stride * open.size());
        for (size_t i = 0; i < open.size(); ++i)
            open[i]->block = m_blocks.data() + stride * i;
    }
    // Reads `want` bytes at `at` of every member still in a set, in step, and splits the sets
    // where the bytes differ. False on a stop.
    auto step = [&](uint64_t at, uint32_t want) {
        const bool atEnd = at + want == uint64_t(size);
        std::vector<Set> next;
        for (Set& set : sets) {
            Set read;
            for (Member* m : set) {
                if (g_scanStop)
                    return false;
                if (ReadBlock(*m->file, at, m->block, want, atEnd && !m->checkedEnd)) {
                    m->checkedEnd = m->checkedEnd || atEnd;
                    read.push_back(m);
                } else {
                    Fail(*m, size);  // shorter or longer than listed, gone, or locked meanwhile
                }
            }
            Split(read, want, &Member::block, size, &next);
        }
        sets.swap(next);
        return true;
    };
    // Files that share a long start (versions of one disc image, a log that grew) mostly
    // differ at their end: that block is compared first whenever more than one would remain.
    if (end - offset > kFirstBlock && !sets.empty()) {
        const uint32_t tail = uint32_t(std::min<uint64_t>(kTailBytes, end - offset));
        if (!step(end - tail, tail))
            return false;
        end -= tail;
    }
    uint32_t block = std::min(kFirstBlock, largest);
    while (offset < end && !sets.empty()) {
        const uint32_t want = uint32_t(std::min<uint64_t>(block, end - offset));
        if (!step(offset, want))
            return false;
        for (Set& set : sets) {
            for (Member* m : set)
                m->Account(offset + want);
        }
        offset += want;
        block = std::min(block * 4, largest);
    }
    for (Set& set : sets) {
        Set kept;
        for (Member* m : set) {
            // Every read that reached the listed end asked for one byte more; should a file
            // have come here without one, it is asked now: a file that grew is not the file
            // that was listed.
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
// A set larger than the files held open at once. Every file is read through once more, a batch
// at a time in step: within a batch the bytes themselves tell copies apart; across batches a
// keyed mix of each file's bytes tells which of the batches' sets may hold the same content, and
// only one member of each such set is read again to compare them in full. A mix only ever keeps
// files apart (equal bytes always mix alike); whatever it brings together is compared byte for
// byte. Files of a long size are first told apart by their last block, as in the comparison.
bool ContentMatcher::MatchInRounds(const Set& all, int64_t size, uint32_t* nextClass,
                                   std::vector<uint32_t>* classes)
{
    std::vector<Set> candidates;
    if (uint64_t(size) - m_headLength > kFirstBlock) {
        const uint32_t tail = uint32_t(std::min<uint64_t>(kTailBytes, uint64_t(size) - m_headLength));
        if (!MixTails(all, size, tail))
            return false;
        Set live;
        for (Member* m : all) {
            if (!m->failed)
                live.push_back(m);
        }
        // Members alone with their tail's mix cannot have a copy here.
        std::stable_sort(live.begin(), live.end(), [](const Member* a, const Member* b) { return a->mix < b->mix; });
        for (size_t r = 0; r < live.size();) {
            size_t end = r + 1;
            while (end < live.size() && live[end]->mix == live[r]->mix)
                ++end;
            if (end - r == 1)
                LetGo(*live[r], size);
            else
                candidates.push_back(Set(live.begin() + r, live.begin() + end));
            r = end;
        }
    } else {
        candidates.push_back(all);
    }
    for (Set& set : candidates) {
        // Back in the set's own order: the first listed of a content stays its first.
        std::sort(set.begin(), set.end(), [](const Member* a, const Member* b) { return a->index < b->index; });
        std::vector<Set> equal;
        if (set.size() <= kMaxOpenFiles) {
            if (!CompareInStep(set, size, &equal))
                return false;
        } else if (!MatchLargeSet(set, size, &equal)) {
            return false;
        }
        for (const Set& copies : equal) {
            const uint32_t cls = (*nextClass)++;
            for (Member* m : copies)
                (*classes)[m->index] = cls;
        }
    }
    return true;
}

// One more open of each member, for the mix of its last `tail` bytes alone.
bool ContentMatcher::MixTails(const Set& all, int64_t size, uint32_t tail)
{
    if (m_blocks.size() < size_t(tail) + 1)
        m_blocks.resize(size_t(tail) + 1);
    for (Member* m : all) {
        if (g_scanStop)
            return false;
        if (m->failed)
            continue;
        Open(*m);
        if (!m->file || !ReadBlock(*m->file, uint64_t(size) - tail, m_blocks.data(), tail, !m->checkedEnd)) {
            Fail(*m, size);
            continue;
        }
        m->checkedEnd = true;
        m->mix = MixOn(MixSeed(), m_blocks.data(), tail);
        m->Close();
    }
    return true;
}

// The member that stands for a set of equal members: the first still readable.
ContentMatcher::Member* ContentMatcher::StandIn(const Set& set)
{
    for (Member* m : set) {
        if (!m->failed)
            return m;
    }
    return set.front();
}

// Sets of two or more members whose whole content is the same, each member opened once (once
// more for a member that stands for its batch's set) and read once past its head.
bool ContentMatcher::MatchLargeSet(const Set& all, int64_t size, std::vector<Set>* equal)
{
    equal->clear();
    std::vector<Set> parts;  // exactly equal members, found within one batch
    for (size_t start = 0; start < all.size(); start += kMaxOpenFiles) {
        const Set batch(all.begin() + start, all.begin() + std::min(all.size(), start + kMaxOpenFiles));
        if (!ReadBatch(batch, size, &parts))
            return false;
    }
    // Parts of one mix, in the order of their first members; one member of each stands for it.
    std::vector<size_t> order(parts.size());
    for (size_t i = 0; i < parts.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return parts[a].front()->mix < parts[b].front()->mix; });
    std::vector<size_t> joinedTo(parts.size());
    for (size_t i = 0; i < parts.size(); ++i)
        joinedTo[i] = i;
    std::map<Member*, size_t> partOf;
    for (size_t r = 0; r < order.size();) {
        size_t end = r + 1;
        while (end < order.size() && parts[order[end]].front()->mix == parts[order[r]].front()->mix)
            ++end;
        // Compared in full, a leader with as many others as may be open beside it; those that
        // match no leader meet the next one. The leader's content is read through another of
        // its copies for each further batch while it has one not yet read again (those of its
        // own part first, then those of the parts joined to it), so that no file is opened once
        // a batch.
        std::vector<size_t> pending(order.begin() + r, order.begin() + end);
        while (pending.size() >= 2) {
            const size_t lead = pending.front();
            std::vector<size_t> next;
            Set fresh(parts[lead].rbegin(), parts[lead].rend());  // taken from the back
            Set reread;
            size_t rereadNext = 0;
            for (size_t k = 1; k < pending.size(); k += kMaxOpenFiles - 1) {
                Member* leader = nullptr;
                while (!leader && !fresh.empty()) {
                    leader = fresh.back()->failed ? nullptr : fresh.back();
                    fresh.pop_back();
                }
                for (size_t tried = 0; !leader && tried < reread.size(); ++tried) {
                    Member* m = reread[rereadNext++ % reread.size()];
                    leader = m->failed ? nullptr : m;
                }
                if (!leader) {  // every copy of it became unreadable: the others meet the next one
                    next.insert(next.end(), pending.begin() + k, pending.end());
                    break;
                }
                reread.push_back(leader);
                Set compared(1, leader);
                partOf.clear();
                partOf[leader] = lead;
                for (size_t q = k; q < std::min(pending.size(), k + kMaxOpenFiles - 1); ++q) {
                    compared.push_back(StandIn(parts[pending[q]]));
                    partOf[compared.back()] = pending[q];
                }
                std::vector<Set> same;
                if (!CompareInStep(compared, size, &same))
                    return false;
                std::set<size_t> placed;
                for (const Set& set : same) {
                    const bool withLead = std::find(set.begin(), set.end(), leader) != set.end();
                    const size_t into = withLead ? lead : partOf[set.front()];
                    for (Member* m : set) {
                        joinedTo[partOf[m]] = into;
                        placed.insert(partOf[m]);
                        if (withLead && m != leader) {
                            reread.push_back(m);
                            for (Member* copy : parts[partOf[m]]) {
                                if (copy != m)
                                    fresh.push_back(copy);
                            }
                        }
                    }
                    if (!withLead)
                        next.push_back(into);
                }
                for (size_t q = 1; q < compared.size(); ++q) {
                    if (!placed.count(partOf[compared[q]]))
                        next.push_back(partOf[compared[q]]);
                }
            }
            std::sort(next.begin(), next.end());
            pending.swap(next);
        }
        r = end;
    }
    // A part joined to another may itself have been joined on: follow to the end.
    std::map<size_t, Set> byRoot;
    for (size_t i = 0; i < parts.size(); ++i) {
        size_t root = i;
        while (joinedTo[root] != root)
            root = joinedTo[root];
        Set& to = byRoot[root];
        for (Member* m : parts[i]) {
            if (!m->failed)
                to.push_back(m);
        }
    }
    std::map<size_t, Set> inOrder;  // by the first listed member
    for (auto& entry : byRoot) {
        Set& set = entry.second;
        if (set.size() < 2)
            continue;
        std::sort(set.begin(), set.end(), [](const Member* a, const Member* b) { return a->index < b->index; });
        inOrder[set.front()->index] = set;
    }
    for (auto& entry : inOrder)
        equal->push_back(entry.second);
    return true;
}

// Reads a batch (kMaxOpenFiles at most) in step to its end: appends to `parts` each set of its
// members whose bytes are all the same (one for each member with no partner in the batch), and
// leaves each member's mix of its bytes past the head, and its identity.
bool ContentMatcher::ReadBatch(const Set& batch, int64_t size, std::vector<Set>* parts)
{
    Set open;
    for (Member* m : batch) {
        if (m->failed)
            continue;
        Open(*m);
        if (m->file)
            open.push_back(m);
        else
            Fail(*m, size);
    }
    const uint32_t block = std::max(kSmallestBlock, uint32_t(kBufferBudget / kMaxOpenFiles) / kSmallestBlock * kSmallestBlock);
    const size_t stride = size_t(block) + 1;
    if (m_blocks.size() < stride * open.size())
        m_blocks.resize(stride * open.size());
    std::vector<uint32_t> label(open.size(), 0);  // the first member whose bytes so far are the same
    for (size_t i = 0; i < open.size(); ++i) {
        open[i]->block = m_blocks.data() + stride * i;
        open[i]->mix = MixSeed();
    }
    std::vector<std::pair<std::pair<uint32_t, uint64_t>, uint32_t>> keys;
    for (uint64_t offset = m_headLength; offset < uint64_t(size);) {
        const uint32_t want = uint32_t(std::min<uint64_t>(block, uint64_t(size) - offset));
        const bool atEnd = offset + want == uint64_t(size);
        keys.clear();
        for (size_t i = 0; i < open.size(); ++i) {
            Member* m = open[i];
            if (g_scanStop)
                return false;
            if (m->failed)
                continue;
            if (!ReadBlock(*m->file, offset, m->block, want, atEnd && !m->checkedEnd)) {
                Fail(*m, size);  // shorter or longer than listed, gone, or locked meanwhile
                continue;
            }
            m->checkedEnd = m->checkedEnd || atEnd;
            m->mix = MixOn(m->mix, m->block, want);
            m->Account(offset + want);
            keys.push_back(std::make_pair(std::make_pair(label[i], m->mix), uint32_t(i)));
        }
        // Members that were the same so far and mix alike are compared byte for byte.
        std::sort(keys.begin(), keys.end());
        for (size_t r = 0; r < keys.size();) {
            size_t end = r + 1;
            while (end < keys.size() && keys[end].first == keys[r].first)
                ++end;
            for (size_t k = r; k < end; ++k) {
                const uint32_t i = keys[k].second;
                label[i] = i;
                for (size_t q = r; q < k; ++q) {
                    const uint32_t j = keys[q].second;
                    if (label[j] == j && SameBytes(open[j]->block, open[i]->block, want)) {
                        label[i] = j;
                        break;
                    }
                }
            }
            r = end;
        }
        offset += want;
    }
    std::map<uint32_t, Set> byLabel;
    for (size_t i = 0; i < open.size(); ++i) {
        Member* m = open[i];
        if (m->failed)
            continue;
        std::string id;
        m->identity = m->file->Identity(&id) ? VolumeRoot(m->record->folder) + id : std::string();
        m->Account(uint64_t(size));
        m->Close();
        byLabel[label[i]].push_back(m);
    }
    for (auto& entry : byLabel)
        parts->push_back(entry.second);
    return true;
}

bool ContentMatcher::Match(const std::vector<FoundFileRecord*>& files, int64_t size, std::vector<uint32_t>* classes)
{
    classes->assign(files.size(), 0);
    m_headLength = HeadLength(size, files.size());
    std::vector<Member>& members = m_members;
    members.clear();
    members.resize(files.size());
    // A head that is the whole file has room for the byte that must not come.
    const size_t stride = size_t(m_headLength) + (m_headLength == uint64_t(size) ? 1 : 0);
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
    // First blocks first; files stay open for the comparison unless there are too many.
    Set read;
    read.reserve(members.size());
    for (Member& m : members) {
        if (g_scanStop)
            return stopped();
        if (!OpenAndReadHead(m, size)) {
            if (g_scanStop)
                return stopped();
            Fail(m, size);
            continue;
        }
        if (files.size() > kMaxOpenFiles)
            m.Close();
        read.push_back(&m);
    }
    if (g_scanStop)
        return stopped();
    uint32_t nextClass = 1;
    std::vector<Set> sets;
    Split(read, m_headLength, &Member::head, size, &sets);
    for (const Set& set : sets) {
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
