// tests/fuzz/fuzz_file_tree.cpp
// The engine's file tree driven by the input: nodes and roots made, cloned, linked, unlinked
// and deleted in any order, with shared file objects, and the tree asked about itself. A cycle
// or a dangling link shows as a hang or as a use after free. The file filters judge the nodes'
// objects; then the input as file names: their types by extension, kept as typed positions
// and counted inside a region.
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "engine/FileFilter.h"
#include "engine/FileNode.h"
#include "engine/filetype/FileTypeRecord.h"
#include "engine/filetype/FileTypeTable.h"

namespace {

class FuzzObject : public IFileObject {
public:
    // The word's bits give the attributes, the state and which of the two is valid.
    explicit FuzzObject(uint8_t word)
        : m_attributes(uint32_t(word) * 0x41u),
          m_state(word >> 5),
          m_capabilities((word & 1 ? kCapAttributes : 0) | (word & 2 ? kCapState : 0))
    {
    }
    const char* GetName() const override { return "name"; }
    uint32_t GetAttributes() const override { return m_attributes; }
    uint32_t GetState() const override { return m_state; }
    uint32_t GetCapabilities() const override { return m_capabilities; }

private:
    uint32_t m_attributes;
    uint32_t m_state;
    uint32_t m_capabilities;
};

// The types recorded at positions, as the input says.
class FuzzPositionIndex : public IFileTypePositionIndex {
public:
    FuzzPositionIndex(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool GetTypeAt(uint64_t position, uint32_t* typeId) const override
    {
        if (!m_size || position % 3 == 0)
            return false;
        *typeId = m_data[position % m_size] % FileTypeTable::kRowCount;
        return true;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

// The input cut at '/' into names of up to 255 characters, in both widths.
void FileTypes(const uint8_t* data, size_t size)
{
    FileTypeRecordList list;
    size_t begin = 0;
    for (size_t at = 0; at <= size; ++at) {
        if (at < size && data[at] != '/' && at - begin < 255)
            continue;
        const char* name = reinterpret_cast<const char*>(data + begin);
        const uint8_t length = uint8_t(at - begin);
        std::vector<wchar_t> wide(name, name + length);
        FileTypeTable::RowName(FileTypeTable::LookupName(name, length));
        FileTypeTable::LookupName(wide.data(), length);
        const uint64_t first = uint64_t(begin) << (length % 64);
        list.Add(name, length, first, first + at);
        list.Add(wide.data(), length, at, first);
        begin = at + 1;
    }
    FileTypeRegion region;
    region.scale = size ? data[0] : 1;
    region.firstSector = size > 1 ? data[1] : 0;
    region.length = size;
    list.CountInRegion(FuzzPositionIndex(data, size), &region);
}

class FuzzRoot : public CFileNode {
public:
    int IsRoot() const override { return 1; }
    int QueryRootInfo(uint64_t* value, uint32_t* word) const override
    {
        *value = 7;
        *word = 3;
        return 1;
    }
    int QueryRootType() const override { return 2; }
};

const size_t kSlots = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFileNode* nodes[kSlots] = {};
    for (size_t at = 0; at + 2 <= size; at += 2) {
        const uint8_t op = data[at] % 8;
        CFileNode*& a = nodes[(data[at] >> 3) % kSlots];
        CFileNode*& b = nodes[data[at + 1] % kSlots];
        switch (op) {
        case 0:
            if (!a)
                a = CreateFileNode();
            break;
        case 1:
            if (!a)
                a = new FuzzRoot();
            break;
        case 2:
            if (!a && b)
                a = b->Clone();
            break;
        case 3:
            if (a)
                a->AddChild(b);
            break;
        case 4:
            if (a)
                a->RemoveChild(b);
            break;
        case 5:
            DeleteFileNode(a);
            a = nullptr;
            break;
        case 6:
            if (a) {
                IFileObject* old = a->GetFileObject();
                a->SetFileObject(new FuzzObject(data[at + 1]));
                FileObjectRelease(old);
            }
            break;
        default:
            if (a) {
                uint64_t value = 0;
                uint32_t word = 0;
                a->QueryRootInfo(&value, &word);
                a->QueryRootType();
                if (b)
                    a->IsSelfOrAncestor(b);
                const IFileObject* object = a->GetFileObject();
                CFileAttributeFilter(uint32_t(data[at + 1]) << (data[at] % 4)).Filter(object);
                CFileStateFilter(data[at + 1]).Filter(object);
                size_t children = 0;
                for (CFileNode* c = a->GetFirstChild(); c && children <= kSlots; c = c->GetNextSibling())
                    ++children;
                if (children > kSlots)
                    __builtin_trap();  // more children than nodes: a cycle in the sibling list
                size_t depth = 0;
                for (CFileNode* p = a->GetParent(); p && depth <= kSlots; p = p->GetParent())
                    ++depth;
                if (depth > kSlots)
                    __builtin_trap();  // a cycle of parents
            }
            break;
        }
    }
    for (CFileNode*& n : nodes)
        DeleteFileNode(n);
    FileTypes(data, size);
    return 0;
}
