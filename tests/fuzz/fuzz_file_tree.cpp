// tests/fuzz/fuzz_file_tree.cpp
// The engine's file tree driven by the input: nodes and roots made, cloned, linked, unlinked
// and deleted in any order, with shared file objects, and the tree asked about itself. A cycle
// or a dangling link shows as a hang or as a use after free.
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "engine/FileNode.h"

namespace {

class FuzzObject : public IFileObject {
public:
    explicit FuzzObject(uint32_t attributes) : m_attributes(attributes) {}
    const char* GetName() const override { return "name"; }
    uint32_t GetAttributes() const override { return m_attributes; }
    uint32_t GetState() const override { return 0; }
    uint32_t GetCapabilities() const override { return kCapAttributes; }

private:
    uint32_t m_attributes;
};

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
    return 0;
}
