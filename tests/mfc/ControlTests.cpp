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

TEST(Controls, ScrollBarButtonAndToolTip)
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

    // A pop-up: created without a child id, which Wine would refuse.
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent, TTS_ALWAYSTIP));
    EXPECT_TRUE(tip.AddTool(&check, "tip"));
    EXPECT_EQ(1, tip.GetToolCount());
}

TEST(Controls, MenuAndImageList)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, 100, "English");
    menu.AppendMenu(MF_STRING, 1, "About");
    menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "Language");
    EXPECT_EQ(2, menu.GetMenuItemCount());
    EXPECT_EQ(100u, menu.GetSubMenu(1)->GetMenuItemID(0));

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1));
    CClientDC screen(nullptr);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 32, 16));
    EXPECT_EQ(0, images.Add(bitmap, RGB(255, 0, 255)));
    EXPECT_EQ(2, images.GetImageCount());
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

TEST(Controls, ListBoxTabAndRichEdit)
{
    CWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, CRect(0, 0, 100, 60), &parent, 20));
    for (int i = 0; i < 30; ++i) {
        CString text;
        text.Format("row %d", i);
        list.AddString(text);
    }
    EXPECT_EQ(30, list.GetCount());
    CString row;
    list.GetText(12, row);
    EXPECT_STREQ("row 12", (const char*)row);
    list.SetTopIndex(10);
    EXPECT_EQ(10, list.GetTopIndex());

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
