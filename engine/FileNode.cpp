// engine/FileNode.cpp
#include "engine/FileNode.h"

#include <new>

void FileObjectAddRef(IFileObject* object)
{
    if (object && object->refCount_ != UINT32_MAX)
        ++object->refCount_;
}

void FileObjectRelease(IFileObject* object)
{
    // At the ceiling the true count is unknown, so the object is never freed from there.
    if (!object || object->refCount_ == 0 || object->refCount_ == UINT32_MAX)
        return;
    if (--object->refCount_ == 0)
        delete object;
}

CFileNode::~CFileNode()
{
    if (fileObject_)
        FileObjectRelease(fileObject_);
    fileObject_ = nullptr;
    if (parent_)
        parent_->RemoveChild(this);
    for (CFileNode* child = firstChild_; child;) {
        CFileNode* next = child->nextSibling_;
        child->parent_ = nullptr;
        child->nextSibling_ = nullptr;
        child = next;
    }
    firstChild_ = nullptr;
    nextSibling_ = nullptr;
}

CFileNode* CFileNode::Clone() const
{
    CFileNode* copy = CreateFileNode();
    if (!copy)
        return nullptr;
    copy->thirdValue_ = thirdValue_;
    copy->fileObject_ = fileObject_;
    if (fileObject_)
        FileObjectAddRef(fileObject_);
    copy->secondValue_ = secondValue_;
    copy->firstValue_ = firstValue_;
    return copy;
}

int CFileNode::QueryRootInfo(uint64_t* value, uint32_t* word) const
{
    for (const CFileNode* node = parent_; node; node = node->parent_) {
        if (node->IsRoot())
            return node->QueryRootInfo(value, word);
    }
    if (value)
        *value = 0;
    if (word)
        *word = 0;
    return 0;
}

int CFileNode::QueryRootType() const
{
    for (const CFileNode* node = this; node; node = node->parent_) {
        // A root that runs this base code has no answer of its own; asking it again would
        // never end, so the walk goes on above it.
        if (node != this && node->IsRoot())
            return node->QueryRootType();
    }
    return 9;
}

bool CFileNode::IsSelfOrAncestor(const CFileNode* node) const
{
    for (const CFileNode* up = this; up; up = up->parent_) {
        if (up == node)
            return true;
    }
    return false;
}

int CFileNode::AddChild(CFileNode* child)
{
    if (!child || IsSelfOrAncestor(child))
        return 0;
    if (child->parent_)
        child->parent_->RemoveChild(child);
    child->parent_ = this;
    child->nextSibling_ = firstChild_;
    firstChild_ = child;
    return 1;
}

int CFileNode::RemoveChild(CFileNode* child)
{
    if (!child || !firstChild_)
        return 0;
    if (firstChild_ == child) {
        firstChild_ = child->nextSibling_;
    } else {
        CFileNode* before = firstChild_;
        while (before->nextSibling_ && before->nextSibling_ != child)
            before = before->nextSibling_;
        if (!before->nextSibling_)
            return 0;
        before->nextSibling_ = child->nextSibling_;
    }
    child->parent_ = nullptr;
    child->nextSibling_ = nullptr;
    return 1;
}

CFileNode* CreateFileNode()
{
    return new (std::nothrow) CFileNode();
}

void DeleteFileNode(CFileNode* node)
{
    delete node;
}
