// tests/mfc/ControlTests.cpp
#include "TestPump.h"
#include <gtest/gtest.h>

TEST(Controls, TreeItemsTextDataAndRelations)
{
    CWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 150, 120),
                            &parent, 1000));
    HTREEITEM group = tree.InsertItem("group", TVI_ROOT, TVI_LAST);
    HTREEITEM file = tree.InsertItem("file", group, TVI_LAST);
    ASSERT_TRUE(group && file);
    EXPECT_TRUE(tree.SetItemData(file, 0x1234));
    EXPECT_EQ(0x1234u, tree.GetItemData(file));
    EXPECT_STREQ("file", (const char*)tree.GetItemText(file));
    EXPECT_EQ(group, tree.GetParentItem(file));
    EXPECT_EQ(file, tree.GetChildItem(group));
    EXPECT_EQ(group, tree.GetRootItem());
    EXPECT_TRUE(tree.ItemHasChildren(group));
    EXPECT_EQ(2u, tree.GetCount());
    tree.Expand(group, TVE_EXPAND);
    EXPECT_TRUE(tree.GetItemState(group, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(tree.SelectItem(group));
    EXPECT_EQ(group, tree.GetSelectedItem());
    CRect row;
    EXPECT_TRUE(tree.GetItemRect(group, &row, TRUE));
    EXPECT_EQ(group, tree.HitTest(row.CenterPoint()));
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
}

TEST(Controls, ScrollBarAndButton)
{
    CWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | SBS_VERT, CRect(0, 0, 16, 100), &parent, 101));
    SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 99, 10, 40, 0};
    bar.SetScrollInfo(&info);
    SCROLLINFO back = {};
    ASSERT_TRUE(bar.GetScrollInfo(&back));
    EXPECT_EQ(40, back.nPos);
    EXPECT_EQ(90, bar.GetScrollLimit());

    CButton check;
    ASSERT_TRUE(check.Create("c", WS_CHILD | BS_AUTOCHECKBOX, CRect(0, 0, 40, 20), &parent, 7));
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
    EXPECT_EQ(7, check.GetDlgCtrlID());
}

TEST(Controls, AGdiObjectHoldingAHandleTakesNoOther)
{
    CBrush brush(RGB(1, 2, 3));
    HGDIOBJ held = brush.m_hObject;
    ASSERT_NE(nullptr, held);
    HBRUSH other = ::CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_FALSE(brush.Attach(other));            // refused: the held brush stays alive
    EXPECT_EQ(held, brush.m_hObject);
    EXPECT_EQ(OBJ_BRUSH, (int)::GetObjectType(held));
    EXPECT_FALSE(brush.CreateSolidBrush(RGB(7, 8, 9)));
    EXPECT_EQ(held, brush.m_hObject);
    EXPECT_EQ(held, brush.Detach());
    EXPECT_TRUE(brush.Attach(other));              // empty again: it takes the handle
    EXPECT_EQ((HGDIOBJ)other, brush.m_hObject);
    ::DeleteObject(held);
}

TEST(Controls, MemoryDcSelectsAndRestores)
{
    CClientDC screen(nullptr);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 20, 10));
    CBitmap* old = memory.SelectObject(&bitmap);
    ASSERT_NE(nullptr, old);
    memory.FillSolidRect(CRect(0, 0, 20, 10), RGB(0x17, 0x1A, 0x1C));
    EXPECT_EQ(RGB(0x17, 0x1A, 0x1C), memory.GetPixel(5, 5));
    CBrush brush(RGB(255, 0, 0));
    memory.FillRect(CRect(0, 0, 2, 2), &brush);
    EXPECT_EQ(RGB(255, 0, 0), memory.GetPixel(1, 1));
    EXPECT_EQ((HBITMAP)bitmap, (HBITMAP)*memory.SelectObject(old));
    CSize extent = memory.GetTextExtent(CString("abc"));
    EXPECT_GT(extent.cx, 0);
}

TEST(Controls, TabAndRichEdit)
{
    CWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), &parent, 21));
    EXPECT_EQ(0, tabs.InsertItem(0, "Photo"));
    EXPECT_EQ(1, tabs.InsertItem(1, "Video"));
    tabs.SetCurSel(1);
    EXPECT_EQ(1, tabs.GetCurSel());

    CRichEditCtrl rich;
    ASSERT_TRUE(rich.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 100, 40), &parent, 22));
    rich.SetWindowText("hello");
    EXPECT_EQ(5, rich.GetWindowTextLength());
}

TEST(Controls, AWindowRegionBelongsToTheWindowOnceSet)
{
    CWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(0, 0, 100, 80));
    HRGN handle = region;
    EXPECT_TRUE(wnd.SetWindowRgn(region, TRUE));
    EXPECT_EQ(nullptr, region.m_hObject); // the object no longer deletes it
    CRgn copy;
    copy.CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(SIMPLEREGION, wnd.GetWindowRgn(copy));
    CRect box;
    copy.GetRgnBox(&box);
    EXPECT_EQ(100, box.Width());
    EXPECT_EQ(80, box.Height());
    (void)handle;
}
