// tests/uikit/DropDownTest.cpp
// The two filter drop-down lists: a row chosen by a posted click, the report to the owner,
// and dismissal by focus loss.
#include <gtest/gtest.h>

#include "UiKitTestEnv.h"
#include "tests/support/MessagePump.h"
#include "uikit/dropdown/FilterDropWnd.h"

using namespace UiCtrl;

namespace {

template <class List>
class Probe : public List {
public:
    COLORREF SurfacePixel(int x, int y) const { return GetPixel(this->surface_.Dc(), x, y); }
    FilterDropItem* Row(int id) { return static_cast<FilterDropItem*>(this->FindItem(id)); }
};

template <class List>
class DropDownFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        uikittest::UseTestResources();
        SetFocus(sink.Hwnd());
        list.CreateWin(sink.Hwnd(), 5, 20, 20, 200, 200, 0);
        ASSERT_NE(list.GetHwnd(), nullptr) << "pop-up child creation failed: " << GetLastError();
        sink.Take();
    }

    void ClickRow(int id)
    {
        RECT r;
        list.Row(id)->GetRect(r);
        const LPARAM at = MAKELPARAM(r.left + 30, r.top + 5);
        PostMessageA(list.GetHwnd(), WM_MOUSEMOVE, 0, at);
        PostMessageA(list.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(list.GetHwnd(), WM_LBUTTONUP, 0, at);
        DispatchQueuedMessages();
    }
    std::vector<int> CheckedRows()
    {
        std::vector<int> out;
        for (auto& entry : list.Items()) {
            if (static_cast<FilterDropItem*>(entry.second)->IsChecked())
                out.push_back(entry.first);
        }
        return out;
    }

    uikittest::CommandSink& sink = uikittest::SharedSink();
    Probe<List> list;
};

using FileTypeList = DropDownFixture<FilterFileTypeWnd>;
using UnitList = DropDownFixture<FilterKBMBWnd>;

} // namespace

TEST_F(FileTypeList, IsBuiltFromItsElementAndSizedByItsFirstRow)
{
    EXPECT_EQ(list.Items().size(), 6u);
    RECT window;
    GetWindowRect(list.GetHwnd(), &window);
    EXPECT_EQ(window.right - window.left, 160);
    EXPECT_EQ(window.bottom - window.top, 158 + 1);
    EXPECT_FALSE(IsWindowVisible(list.GetHwnd()));
    // Creating it again neither loads the rows twice nor leaks them.
    list.CreateWin(sink.Hwnd(), 5, 20, 20, 200, 200, 0);
    EXPECT_EQ(list.Items().size(), 6u);
}

TEST_F(FileTypeList, ChosenRowHidesTheListAndReportsItsValue)
{
    list.Open();
    EXPECT_TRUE(IsWindowVisible(list.GetHwnd()));
    ClickRow(103);
    EXPECT_FALSE(IsWindowVisible(list.GetHwnd()));
    auto commands = sink.Take();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 0x2400u);
    EXPECT_EQ(commands[0].lParam, 203);
    EXPECT_EQ(list.GetChosenValue(), 203);
    EXPECT_EQ(CheckedRows(), std::vector<int>{103});

    // Choosing the same row again keeps it checked; another row takes the mark over.
    list.Open();
    ClickRow(103);
    EXPECT_EQ(CheckedRows(), std::vector<int>{103});
    list.Open();
    ClickRow(101);
    EXPECT_EQ(CheckedRows(), std::vector<int>{101});
    commands = sink.Take();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].lParam, 201);
}

TEST_F(FileTypeList, OwnerCanSetTheChosenValueBeforeReopening)
{
    list.SetChosenValue(200);
    EXPECT_EQ(CheckedRows(), std::vector<int>{100});
    EXPECT_EQ(list.Row(100)->GetState(), kStateHover);
    EXPECT_EQ(list.Row(101)->GetState(), kStateNormal);
}

TEST_F(FileTypeList, LosingTheFocusHidesItWithoutAReport)
{
    list.Open();
    EXPECT_EQ(GetFocus(), list.GetHwnd());
    SetFocus(sink.Hwnd());
    DispatchQueuedMessages();
    EXPECT_FALSE(IsWindowVisible(list.GetHwnd()));
    EXPECT_TRUE(sink.Take().empty());
}

TEST_F(FileTypeList, HoveredRowUsesTheHoverBrushAndTheFrameSurroundsTheRows)
{
    list.Open();
    list.SetChosenValue(0);
    list.Row(102)->SetState(kStateHover);
    InvalidateRect(list.GetHwnd(), nullptr, FALSE);
    UpdateWindow(list.GetHwnd());
    RECT row;
    list.Row(102)->GetRect(row);
    EXPECT_EQ(list.SurfacePixel(row.right - 6, row.bottom - 2), 0x5E4235u);
    list.Row(101)->GetRect(row);
    EXPECT_EQ(list.SurfacePixel(row.right - 6, row.bottom - 2), 0x3B2B24u);
    // The file-kind rows stop 4 px short of their right edge.
    EXPECT_EQ(list.SurfacePixel(row.right - 2, row.bottom - 2), kHostBackground);
    EXPECT_EQ(list.SurfacePixel(157, 60), 0x48382Fu);   // the list frame
}

TEST_F(UnitList, ReportAddsTheTag)
{
    EXPECT_EQ(list.Items().size(), 4u);
    list.SetTag(1000);
    list.Open();
    ClickRow(2);
    auto commands = sink.Take();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 0x2400u);
    EXPECT_EQ(commands[0].lParam, 1002);
    EXPECT_EQ(CheckedRows(), std::vector<int>{2});
    list.SetTag(2000);
    list.Open();
    ClickRow(4);
    EXPECT_EQ(sink.Take()[0].lParam, 2004);
}
