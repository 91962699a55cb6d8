// finder/KeptCopyProof.cpp
#include "finder/KeptCopyProof.h"

#include <string.h>

#include <algorithm>
#include <memory>

#include "finder/GroupKey.h"

namespace {

// As the scan's comparison: a first block that holds a small file whole and tells most
// replaced files at once, then larger blocks.
const uint32_t kFirstBlock = 64 * 1024;
const uint32_t kSmallestBlock = 4096;
const uint32_t kLargestBlock = 256 * 1024;

// count bytes at offset; with atEnd the file must end there too (one byte more must not come).
bool ReadBlock(IReadableFile& file, uint64_t offset, uint8_t* buffer, uint32_t count, bool atEnd)
{
    if (!ReadExactly(file, offset, buffer, count))
        return false;
    uint8_t extra = 0;
    uint32_t got = 0;
    return !atEnd || (file.ReadAt(offset + count, &extra, 1, &got) && got == 0);
}

}  // namespace

struct KeptCopyProof::Member
{
    std::string path;
    bool kept = false;
    size_t index = 0;  // of a file to go, in toGo
    std::unique_ptr<IReadableFile> file;
    uint8_t* block = nullptr;
};

std::vector<KeptCopyProof::Verdict> KeptCopyProof::Prove(const std::vector<std::string>& kept,
                                                         const std::vector<std::string>& toGo, uint64_t size,
                                                         const std::atomic<int>* stop)
{
    std::vector<Verdict> verdicts(toGo.size(), kNoCopyStays);
    std::vector<size_t> pending;
    for (size_t i = 0; i < toGo.size(); ++i)
        pending.push_back(i);
    const size_t keptAtOnce = std::max<size_t>(1, std::min(kept.size(), kMaxOpenFiles / 2));
    for (size_t k = 0; k < kept.size() && !pending.empty(); k += keptAtOnce) {
        const std::vector<std::string> keptShare(kept.begin() + k,
                                                 kept.begin() + std::min(kept.size(), k + keptAtOnce));
        const size_t room = kMaxOpenFiles - keptShare.size();
        for (size_t c = 0; c < pending.size(); c += room) {
            const std::vector<size_t> share(pending.begin() + c,
                                            pending.begin() + std::min(pending.size(), c + room));
            if (!ProveShare(keptShare, share, toGo, size, stop, verdicts)) {
                for (Verdict& verdict : verdicts)
                    if (verdict == kNoCopyStays)
                        verdict = kStopped;
                return verdicts;
            }
        }
        // The next files that stay are read only for the files no copy was found for yet.
        std::vector<size_t> next;
        for (size_t i : pending)
            if (verdicts[i] == kNoCopyStays)
                next.push_back(i);
        pending.swap(next);
    }
    return verdicts;
}

bool KeptCopyProof::ProveShare(const std::vector<std::string>& kept, const std::vector<size_t>& share,
                               const std::vector<std::string>& toGo, uint64_t size, const std::atomic<int>* stop,
                               std::vector<Verdict>& verdicts)
{
    typedef std::vector<Member*> Set;
    auto stopped = [stop] { return stop && stop->load(); };
    // A set is worth reading on only while it holds a file that stays and one to go.
    auto bothKinds = [](const Set& set) {
        bool kept = false, toGo = false;
        for (const Member* m : set)
            (m->kept ? kept : toGo) = true;
        return kept && toGo;
    };
    std::vector<Member> members(kept.size() + share.size());
    Set open;
    for (size_t i = 0; i < members.size(); ++i) {
        Member& m = members[i];
        m.kept = i < kept.size();
        m.index = m.kept ? 0 : share[i - kept.size()];
        m.path = m.kept ? kept[i] : toGo[m.index];
        if (stopped())
            return false;
        m.file = m_source.OpenRead(m.path);
        if (m.file)
            open.push_back(&m);
        else if (!m.kept)
            verdicts[m.index] = kUnreadable;
    }
    std::vector<Set> sets;
    if (bothKinds(open))
        sets.push_back(open);
    const uint32_t perFile = uint32_t(kBufferBudget / std::max<size_t>(open.size(), 1));
    const uint32_t largest = std::max(kSmallestBlock, std::min(kLargestBlock, perFile) / kSmallestBlock * kSmallestBlock);
    // No more room than the file's bytes: most removals are of many small files.
    const size_t stride = size_t(std::max<uint64_t>(1, std::min<uint64_t>(largest, size)));
    if (m_blocks.size() < stride * open.size())
        m_blocks.resize(stride * open.size());
    for (size_t i = 0; i < open.size(); ++i)
        open[i]->block = m_blocks.data() + stride * i;

    uint64_t offset = 0;
    uint32_t block = std::min(kFirstBlock, largest);
    while (!sets.empty()) {
        const uint32_t want = uint32_t(std::min<uint64_t>(block, size - offset));
        const bool atEnd = offset + want == size;
        std::vector<Set> next;
        for (const Set& set : sets) {
            Set read;
            for (Member* m : set) {
                if (stopped())
                    return false;
                if (ReadBlock(*m->file, offset, m->block, want, atEnd)) {
                    read.push_back(m);
                    continue;
                }
                if (!m->kept)
                    verdicts[m->index] = kUnreadable;
                m->file.reset();
            }
            // Split where the bytes differ: each member joins the first whose block it equals.
            std::vector<Set> parts;
            for (Member* m : read) {
                auto same = std::find_if(parts.begin(), parts.end(), [&](const Set& part) {
                    return memcmp(part.front()->block, m->block, want) == 0;
                });
                if (same == parts.end())
                    parts.push_back(Set(1, m));
                else
                    same->push_back(m);
            }
            for (Set& part : parts) {
                if (bothKinds(part)) {
                    next.push_back(part);
                } else {
                    for (Member* m : part)
                        m->file.reset();
                }
            }
        }
        sets.swap(next);
        offset += want;
        if (atEnd)
            break;
        block = std::min(block * 4, largest);
    }
    // Equal to the end. A file that stays proves a copy only when it is another file, not the
    // same one by a second name (a hard link, a name differing in case): removing that name
    // might remove the very copy that was to stay.
    for (const Set& set : sets) {
        std::vector<std::string> ids(set.size());
        for (size_t i = 0; i < set.size(); ++i) {
            std::string id;
            if (set[i]->file->Identity(&id))
                ids[i] = VolumeRoot(set[i]->path) + id;
        }
        for (size_t i = 0; i < set.size(); ++i) {
            if (set[i]->kept)
                continue;
            for (size_t j = 0; j < set.size(); ++j)
                if (set[j]->kept && (ids[i].empty() || ids[i] != ids[j])) {
                    verdicts[set[i]->index] = kCopyStays;
                    break;
                }
        }
    }
    return true;
}
