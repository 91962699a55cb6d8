// tests/engine/FileNodeTest.cpp
// Reference counting of file objects and edits of the node tree.
#include <gtest/gtest.h>

#include <vector>

#include "engine/FileNode.h"
#include "tests/engine/CountingFileObject.h"

namespace {

class FileNodeTest : public ::testing::Test {
protected:
    void SetUp() override { CountingFileObject::ResetCounts(); }
};

std::vector<CFileNode*> ChildrenOf(const CFileNode* node)
{
    std::vector<CFileNode*> children;
    for (CFileNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        children.push_back(child);
    return children;
}

// A root that answers the two forwarded queries.
class TestRoot : public CFileNode {
public:
    int IsRoot() const override { return 1; }
    int QueryRootType() const override { return 7; }
    int QueryRootInfo(uint64_t* value, uint32_t* word) const override
    {
        *value = 4096;
        *word = 512;
        return 1;
    }
};

// A root that overrides only IsRoot: the base queries must not ask it of itself for ever.
class SilentRoot : public CFileNode {
public:
    int IsRoot() const override { return 1; }
};

}  // namespace

TEST_F(FileNodeTest, FreshNodeHasItsInitialValues)
{
    CFileNode* node = CreateFileNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetParent(), nullptr);
    EXPECT_EQ(node->GetFirstChild(), nullptr);
    EXPECT_EQ(node->GetNextSibling(), nullptr);
    EXPECT_EQ(node->GetFileObject(), nullptr);
    EXPECT_EQ(node->GetTag(), 0u);
    EXPECT_EQ(node->GetFirstValue(), ~uint64_t(0));
    EXPECT_EQ(node->GetSecondValue(), ~uint64_t(0));
    EXPECT_EQ(node->GetThirdValue(), 0u);
    EXPECT_EQ(node->GetFlag(), 0);
    EXPECT_EQ(node->IsRoot(), 0);
    EXPECT_EQ(node->DefaultZero5(3), 0);
    EXPECT_EQ(node->DefaultZero6(3), 0);
    DeleteFileNode(node);
    DeleteFileNode(nullptr);
}

TEST_F(FileNodeTest, CloneSharesTheObjectAndItIsFreedExactlyOnce)
{
    CFileNode* source = CreateFileNode();
    auto* object = new CountingFileObject("a.jpg");
    source->SetFileObject(object);  // takes over the creator's reference
    source->SetTag(5)->SetFirstValue(1)->SetSecondValue(2)->SetThirdValue(3)->SetFlag(9);
    CFileNode* parent = CreateFileNode();
    parent->AddChild(source);

    CFileNode* clone = source->Clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetFileObject(), object);
    EXPECT_EQ(object->RefCount(), 2u);
    EXPECT_EQ(clone->GetFirstValue(), 1u);
    EXPECT_EQ(clone->GetSecondValue(), 2u);
    EXPECT_EQ(clone->GetThirdValue(), 3u);
    // Links, tag and flag of a copy start fresh.
    EXPECT_EQ(clone->GetParent(), nullptr);
    EXPECT_EQ(clone->GetTag(), 0u);
    EXPECT_EQ(clone->GetFlag(), 0);

    DeleteFileNode(source);
    EXPECT_EQ(CountingFileObject::alive, 1);
    DeleteFileNode(clone);
    EXPECT_EQ(CountingFileObject::alive, 0);
    EXPECT_EQ(CountingFileObject::destroyed, 1);
    DeleteFileNode(parent);
}

// An 8-bit count would come back to 0 after 256 clones and free the object under them.
TEST_F(FileNodeTest, ManyClonesDoNotWrapTheCount)
{
    CFileNode* source = CreateFileNode();
    auto* object = new CountingFileObject("big.bin");
    source->SetFileObject(object);
    std::vector<CFileNode*> clones;
    for (int i = 0; i < 300; ++i)
        clones.push_back(source->Clone());
    EXPECT_EQ(object->RefCount(), 301u);
    for (CFileNode* clone : clones)
        DeleteFileNode(clone);
    EXPECT_EQ(CountingFileObject::alive, 1);
    EXPECT_EQ(object->RefCount(), 1u);
    DeleteFileNode(source);
    EXPECT_EQ(CountingFileObject::alive, 0);
    EXPECT_EQ(CountingFileObject::destroyed, 1);
}

TEST_F(FileNodeTest, ReleaseAndAddRefIgnoreNullAndExhaustedObjects)
{
    FileObjectAddRef(nullptr);
    FileObjectRelease(nullptr);
    auto* object = new CountingFileObject("x");
    FileObjectAddRef(object);
    EXPECT_EQ(object->RefCount(), 2u);
    FileObjectRelease(object);
    EXPECT_EQ(CountingFileObject::alive, 1);
    FileObjectRelease(object);
    EXPECT_EQ(CountingFileObject::alive, 0);
}

TEST_F(FileNodeTest, NewestChildIsAtTheHeadAndRemoveChildUnlinks)
{
    CFileNode* parent = CreateFileNode();
    CFileNode* a = CreateFileNode();
    CFileNode* b = CreateFileNode();
    CFileNode* c = CreateFileNode();
    EXPECT_EQ(parent->AddChild(a), 1);
    EXPECT_EQ(parent->AddChild(b), 1);
    EXPECT_EQ(parent->AddChild(c), 1);
    EXPECT_EQ(ChildrenOf(parent), (std::vector<CFileNode*>{c, b, a}));
    EXPECT_EQ(b->GetParent(), parent);

    EXPECT_EQ(parent->RemoveChild(b), 1);  // from the middle
    EXPECT_EQ(ChildrenOf(parent), (std::vector<CFileNode*>{c, a}));
    EXPECT_EQ(b->GetParent(), nullptr);
    EXPECT_EQ(b->GetNextSibling(), nullptr);
    EXPECT_EQ(parent->RemoveChild(b), 0);  // no longer a child
    EXPECT_EQ(parent->RemoveChild(c), 1);  // the head
    EXPECT_EQ(parent->RemoveChild(a), 1);  // the last
    EXPECT_EQ(parent->GetFirstChild(), nullptr);
    EXPECT_EQ(parent->RemoveChild(nullptr), 0);
    EXPECT_EQ(parent->AddChild(nullptr), 0);

    for (CFileNode* node : {parent, a, b, c})
        DeleteFileNode(node);
}

TEST_F(FileNodeTest, RemoveChildOfAnotherParentChangesNeitherList)
{
    CFileNode* first = CreateFileNode();
    CFileNode* second = CreateFileNode();
    CFileNode* mine = CreateFileNode();
    CFileNode* theirs = CreateFileNode();
    first->AddChild(mine);
    second->AddChild(theirs);
    EXPECT_EQ(first->RemoveChild(theirs), 0);
    EXPECT_EQ(ChildrenOf(first), (std::vector<CFileNode*>{mine}));
    EXPECT_EQ(ChildrenOf(second), (std::vector<CFileNode*>{theirs}));
    EXPECT_EQ(theirs->GetParent(), second);
    for (CFileNode* node : {first, second, mine, theirs})
        DeleteFileNode(node);
}

// Moving a node used to leave it in the old parent's list as well, so two lists shared
// one tail.
TEST_F(FileNodeTest, AddChildMovesTheChildOutOfItsOldParent)
{
    CFileNode* oldParent = CreateFileNode();
    CFileNode* newParent = CreateFileNode();
    CFileNode* moved = CreateFileNode();
    CFileNode* stays = CreateFileNode();
    CFileNode* other = CreateFileNode();
    oldParent->AddChild(stays);
    oldParent->AddChild(moved);
    newParent->AddChild(other);

    EXPECT_EQ(newParent->AddChild(moved), 1);
    EXPECT_EQ(ChildrenOf(oldParent), (std::vector<CFileNode*>{stays}));
    EXPECT_EQ(ChildrenOf(newParent), (std::vector<CFileNode*>{moved, other}));
    EXPECT_EQ(moved->GetParent(), newParent);

    // Adding a child again to its own parent keeps one entry, at the head.
    EXPECT_EQ(newParent->AddChild(other), 1);
    EXPECT_EQ(ChildrenOf(newParent), (std::vector<CFileNode*>{other, moved}));

    for (CFileNode* node : {oldParent, newParent, moved, stays, other})
        DeleteFileNode(node);
}

TEST_F(FileNodeTest, AddChildRefusesCycles)
{
    CFileNode* top = CreateFileNode();
    CFileNode* middle = CreateFileNode();
    CFileNode* bottom = CreateFileNode();
    top->AddChild(middle);
    middle->AddChild(bottom);

    EXPECT_EQ(bottom->AddChild(bottom), 0);
    EXPECT_EQ(bottom->AddChild(top), 0);
    EXPECT_EQ(bottom->AddChild(middle), 0);
    EXPECT_EQ(middle->AddChild(top), 0);
    // Nothing moved.
    EXPECT_EQ(top->GetParent(), nullptr);
    EXPECT_EQ(ChildrenOf(top), (std::vector<CFileNode*>{middle}));
    EXPECT_EQ(ChildrenOf(middle), (std::vector<CFileNode*>{bottom}));
    EXPECT_EQ(bottom->GetFirstChild(), nullptr);
    // A walk up from the bottom still ends.
    EXPECT_EQ(bottom->QueryRootType(), 9);

    for (CFileNode* node : {top, middle, bottom})
        DeleteFileNode(node);
}

TEST_F(FileNodeTest, DestroyedNodeLeavesNoPointerToItself)
{
    CFileNode* parent = CreateFileNode();
    CFileNode* a = CreateFileNode();
    CFileNode* doomed = CreateFileNode();
    CFileNode* c = CreateFileNode();
    CFileNode* grandchild1 = CreateFileNode();
    CFileNode* grandchild2 = CreateFileNode();
    parent->AddChild(a);
    parent->AddChild(doomed);
    parent->AddChild(c);
    doomed->AddChild(grandchild1);
    doomed->AddChild(grandchild2);

    DeleteFileNode(doomed);
    EXPECT_EQ(ChildrenOf(parent), (std::vector<CFileNode*>{c, a}));
    // Its children are lone nodes now, with no parent and no sibling left behind.
    for (CFileNode* orphan : {grandchild1, grandchild2}) {
        EXPECT_EQ(orphan->GetParent(), nullptr);
        EXPECT_EQ(orphan->GetNextSibling(), nullptr);
        EXPECT_EQ(orphan->QueryRootType(), 9);
    }
    // The parent's list stays usable after more deletions.
    DeleteFileNode(c);
    DeleteFileNode(a);
    EXPECT_EQ(parent->GetFirstChild(), nullptr);
    // A parent that goes first leaves its children as lone nodes too.
    parent->AddChild(grandchild1);
    DeleteFileNode(parent);
    EXPECT_EQ(grandchild1->GetParent(), nullptr);
    DeleteFileNode(grandchild1);
    DeleteFileNode(grandchild2);
}

TEST_F(FileNodeTest, RootQueriesWalkUpToTheNearestRoot)
{
    CFileNode* lone = CreateFileNode();
    uint64_t value = 99;
    uint32_t word = 99;
    EXPECT_EQ(lone->QueryRootType(), 9);
    EXPECT_EQ(lone->QueryRootInfo(&value, &word), 0);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(word, 0u);

    TestRoot root;
    CFileNode* folder = CreateFileNode();
    CFileNode* file = CreateFileNode();
    root.AddChild(folder);
    folder->AddChild(file);
    EXPECT_EQ(file->QueryRootType(), 7);
    EXPECT_EQ(file->QueryRootInfo(&value, &word), 1);
    EXPECT_EQ(value, 4096u);
    EXPECT_EQ(word, 512u);

    // A root is not asked its own info; and a root without answers of its own passes the
    // questions up instead of asking itself again.
    SilentRoot silent;
    root.AddChild(&silent);
    CFileNode* below = CreateFileNode();
    silent.AddChild(below);
    EXPECT_EQ(silent.QueryRootType(), 7);
    EXPECT_EQ(below->QueryRootType(), 7);
    value = 0;
    EXPECT_EQ(below->QueryRootInfo(&value, &word), 1);
    EXPECT_EQ(value, 4096u);
    SilentRoot alone;
    EXPECT_EQ(alone.QueryRootType(), 9);
    EXPECT_EQ(alone.QueryRootInfo(&value, &word), 0);

    for (CFileNode* node : {lone, folder, file, below})
        DeleteFileNode(node);
    root.RemoveChild(&silent);
}
