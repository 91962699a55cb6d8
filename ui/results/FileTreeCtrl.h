// ui/results/FileTreeCtrl.h
// The owner-drawn tree in which the results page shows one category's duplicate groups: a
// root row per group, whose file rows are inserted on its first click, a check box on every
// row, counts on group rows, struck-through names on checked files. The marks live in the
// page's ResultModel; the tree reads them and reports changes through ICallBack.
#pragma once
#include <deque>
#include <map>
#include <string>

#include "mfc/Mfc.h"
#include "mfc/TreeCtrl.h"
#include "ui/results/ICallBack.h"
#include "ui/results/RecycleRemoval.h"
#include "ui/results/ResultSizeText.h"
#include "ui/results/ResultModel.h"

namespace Gdiplus {
class Image;
}

// The item data of one row: its group and, for a file row, the file's position in it.
struct TreeItemLink
{
    ResultGroup* group = nullptr;
    int file = -1;  // -1: the group row
    bool oddGroup = false;  // 1st, 3rd, 5th... group of the tree: its own background
    bool IsGroup() const { return file < 0; }
};

class FileTreeCtrl : public CTreeCtrl
{
public:
    enum { kItemHeight = 30, kCheckBoxSize = 16 };

    FileTreeCtrl();
    ~FileTreeCtrl() override;

    void SetCallBack(ICallBack* callBack) { m_callBack = callBack; }
    void SetModel(ResultModel* model, int category)
    {
        m_model = model;
        m_category = category;
    }
    int Category() const { return m_category; }

    // Deletes every row and inserts one collapsed root row per group of the category; the
    // first becomes the selection.
    void Rebuild();
    void DeleteAllRows();
    // Inserts a group's file rows once. TRUE when it has them.
    BOOL FillGroup(HTREEITEM group);
    bool IsEmpty() const { return !m_model || m_model->GroupsOf(m_category).empty(); }
    const TreeItemLink* LinkOf(HTREEITEM item) const;
    HTREEITEM GroupItem(size_t index) const;  // index-th root row, or null

    // What a click at a point does: the row's check box toggles its mark.
    void ToggleCheck(HTREEITEM item);
    void AutoSelectAll();
    void UncheckAll();
    int CheckedCount() const { return m_model ? m_model->CheckedCount(m_category) : 0; }
    int64_t CheckedSize() const { return m_model ? m_model->CheckedSize(m_category) : 0; }
    std::string GetSelectionSummary() const { return m_model ? m_model->SelectionSummary(m_category) : ""; }

    // Moves the checked files to the recycle bin on a worker thread under the "Cleaning" tip.
    // Only files really gone are marked removed; the rows stay until the page prunes.
    RemovalReport CleanChecked();

    void SetCurrentFile(HTREEITEM item);
    void UpdateCurrentFile();

    static std::string FormatSize(int64_t bytes) { return FormatResultSize(bytes); }
    // The never-drawn item text: the caption padded with '0's so the row is wide enough.
    static std::string PaddedItemText(const std::string& caption);
    // Check box of a row whose text rectangle is rowText (client coordinates).
    static RECT CheckBoxRect(const RECT& rowText, bool group);
    // The open button at the right end of a file row (client coordinates).
    RECT PreviewRect(const RECT& rowText) const;

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    // Arrow keys move the selection: the current file follows it; space toggles the mark.
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM InsertRow(TreeItemLink* link, HTREEITEM parent);
    void DrawRow(HDC dc, HTREEITEM item, const RECT& text, const RECT& client);
    void DrawPicture(HDC dc, Gdiplus::Image* image, int x, int y);

    ICallBack* m_callBack = nullptr;
    ResultModel* m_model = nullptr;
    int m_category = 0;
    std::deque<TreeItemLink> m_links;  // stable addresses: item data points into it
    HTREEITEM m_hot = nullptr;
    Gdiplus::Image* m_checked = nullptr;
    Gdiplus::Image* m_unchecked = nullptr;
    Gdiplus::Image* m_collapsed = nullptr;
    Gdiplus::Image* m_expanded = nullptr;
    Gdiplus::Image* m_preview = nullptr;
    Gdiplus::Image* m_previewHover = nullptr;
    POINT m_mouse = {-1, -1};
    HFONT m_bold = nullptr;
    HFONT m_normal = nullptr;
};
