// engine/FileNode.h
// The engine's file tree: reference-counted nodes that link parent, children and siblings and
// share one file object each. Nodes do not own their children; whoever builds a tree deletes
// its nodes with DeleteFileNode.
#pragma once
#include <stdint.h>

// What is known of one file. The count is held here; a new object carries the one reference
// of its creator, which CFileNode::SetFileObject takes over.
class IFileObject {
public:
    IFileObject() = default;
    IFileObject(const IFileObject&) = delete;
    IFileObject& operator=(const IFileObject&) = delete;

    // NUL-terminated ANSI name, or null when the object has none.
    virtual const char* GetName() const = 0;
    // Low 16 bits: Win32 attribute bits (0x10 directory). Valid with kCapAttributes.
    virtual uint32_t GetAttributes() const = 0;
    // Low 16 bits: state bits. Valid with kCapState.
    virtual uint32_t GetState() const = 0;
    virtual uint32_t GetCapabilities() const = 0;
    virtual ~IFileObject() = default;

    static constexpr uint32_t kCapAttributes = 0x4;
    static constexpr uint32_t kCapState = 0x40;
    static constexpr uint32_t kAttributeDirectory = 0x10;

    uint32_t RefCount() const { return refCount_; }

private:
    friend void FileObjectAddRef(IFileObject* object);
    friend void FileObjectRelease(IFileObject* object);
    // Wide, so that many clones of one node cannot wrap it back to zero.
    uint32_t refCount_ = 1;
};

// Adds one reference. A count at its ceiling stays there: the object then lives on rather
// than being freed while still referenced.
void FileObjectAddRef(IFileObject* object);
// Drops one reference and deletes the object when none is left. A null object, or one whose
// count is already 0, is left alone.
void FileObjectRelease(IFileObject* object);

class CFileNode {
public:
    CFileNode() = default;
    CFileNode(const CFileNode&) = delete;
    CFileNode& operator=(const CFileNode&) = delete;

    // Releases the file object, takes this node out of its parent's child list and leaves each
    // child as a lone node, so that no pointer of the tree is left naming freed memory.
    virtual ~CFileNode();
    // A new node sharing this node's file object (one more reference) and its three values;
    // links, tag and flag start fresh. Null when memory is refused.
    virtual CFileNode* Clone() const;
    virtual int IsRoot() const { return 0; }
    // Answered by the nearest root above this node (the node itself is not asked); both
    // outputs 0 and result 0 when none answers.
    virtual int QueryRootInfo(uint64_t* value, uint32_t* word) const;
    // Answered by the nearest root at or above this node; 9 (no file system) when none does.
    virtual int QueryRootType() const;
    virtual int DefaultZero5(uint32_t) const { return 0; }
    virtual int DefaultZero6(uint32_t) const { return 0; }

    CFileNode* GetParent() const { return parent_; }
    CFileNode* GetFirstChild() const { return firstChild_; }
    CFileNode* GetNextSibling() const { return nextSibling_; }

    // Makes child the first child of this node, taking it out of any list it is in first.
    // Refuses (returns 0) a null child, this node itself and any of its ancestors, so the
    // tree never holds a cycle. 1 when the child was added.
    int AddChild(CFileNode* child);
    // 1 when child was a child of this node and is now unlinked; 0 and nothing changed else.
    int RemoveChild(CFileNode* child);
    // True when node is this node or lies above it.
    bool IsSelfOrAncestor(const CFileNode* node) const;

    IFileObject* GetFileObject() const { return fileObject_; }
    // Stores the pointer as it is: the node takes over a reference the caller has counted.
    // An object held before is not released; its reference goes back to the caller.
    void SetFileObject(IFileObject* object) { fileObject_ = object; }

    uint32_t GetTag() const { return tag_; }
    CFileNode* SetTag(uint32_t tag) { tag_ = tag; return this; }
    uint64_t GetFirstValue() const { return firstValue_; }
    CFileNode* SetFirstValue(uint64_t value) { firstValue_ = value; return this; }
    uint64_t GetSecondValue() const { return secondValue_; }
    CFileNode* SetSecondValue(uint64_t value) { secondValue_ = value; return this; }
    uint64_t GetThirdValue() const { return thirdValue_; }
    CFileNode* SetThirdValue(uint64_t value) { thirdValue_ = value; return this; }
    uint8_t GetFlag() const { return flag_; }
    CFileNode* SetFlag(uint8_t flag) { flag_ = flag; return this; }

private:
    CFileNode* parent_ = nullptr;
    CFileNode* firstChild_ = nullptr;
    CFileNode* nextSibling_ = nullptr;
    IFileObject* fileObject_ = nullptr;
    uint32_t tag_ = 0;
    uint64_t firstValue_ = ~uint64_t(0);
    uint64_t secondValue_ = ~uint64_t(0);
    uint64_t thirdValue_ = 0;
    uint8_t flag_ = 0;
};

// A new base node, or null when memory is refused.
CFileNode* CreateFileNode();
// Destroys a node (null does nothing).
void DeleteFileNode(CFileNode* node);
