// ui/results/FileTreeCtrl.h
// The owner-drawn tree in which the results page shows one category's duplicate groups: a
// root row per group, whose file rows are inserted on its first click, a check box on every
// row, counts on group rows, struck-through names on checked files. The marks live in the
// page's ResultModel; the tree reads them and reports changes through ICallBack.
// Root rows are inserted as they come into view, a batch at a time, so a scan of 20,000
// groups shows as quickly as one of 200.
#pragma once
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "mfc/Mfc.h"
#include "mfc/TreeCtrl.h"
#include "ui/results/ICallBack.h"
#include "ui/results/RecycleRemoval.h"
#include "ui/results/ResultSizeText.h"
#include "ui/results/ResultModel.h"
#include "ui/results/TreeRowRecord.h"

namespace Gdiplus {
class Image;
}

class FileTreeCtrl : public CTreeCtrl
{
public:
    enum { kItemHeight = 30, kCheckBoxSize = 16, kGroupRowHeight = 60, kRowBatch = 64, kBackgroundBitmap = 1008 };

    FileTreeCtrl();
    ~FileTreeCtrl() override;

    void SetCallBack(ICallBack* callBack) { m_callBack = callBack; }
    void SetModel(ResultModel* model, int category)
    {
        m_model = model;
        m_category = category;
    }
    int Category() const { return m_category; }

    // Deletes every row and shows the category's groups again, collapsed, the first selected.
    // Groups that were open before the last DeleteAllRows open again, and the first visible
    // group stays on top, so a refresh after a removal keeps the user's place.
    void Rebuild();
    void DeleteAllRows();
    // Forgets the open groups and the top row (the groups are about to be freed).
    void ForgetView();
    // Inserts a group's file rows once. TRUE when it has them.
    BOOL FillGroup(HTREEITEM group);
    bool IsEmpty() const { return !m_model || m_model->GroupsOf(m_category).empty(); }
    const TreeItemLink* LinkOf(HTREEITEM item) const;
    // index-th root row (inserting rows up to it), or null.
    HTREEITEM GroupItem(size_t index);
    // Root rows inserted so far.
    size_t InsertedGroups() const { return m_nextGroup; }
    // Inserts further batches until the rows reach a page below the visible ones.
    void FillToView();

    void ToggleCheck(HTREEITEM item);
    void AutoSelectAll();
    void UncheckAll();
    int CheckedCount() const { return m_model ? m_model->CheckedCount(m_category) : 0; }
    int64_t CheckedSize() const { return m_model ? m_model->CheckedSize(m_category) : 0; }
    std::string GetSelectionSummary() const { return m_model ? m_model->SelectionSummary(m_category) : ""; }

    // After a prune (the rows are gone by then): tells the owner what left this tree's
    // category, the files and bytes, then each group dropped.
    void ReportPrune(const PruneOutcome& outcome);
    // A group left the results: its row goes (when it has one) and the view no longer
    // remembers it.
    void RemoveGroup(HTREEITEM item, const TreeItemLink* link);

    // A group row's checked count taken again from its file rows' marks (also its checked
    // size); -1 for no group row.
    int RecountGroup(HTREEITEM group);
    int GroupCheckedCount(HTREEITEM group) const;
    int64_t GroupCheckedSize(HTREEITEM group) const;
    // Every file of the group takes the mark, the one group checking keeps included.
    void SetChildrenChecked(HTREEITEM group, bool checked);
    // Clears the marks of every group of the tree and of their files.
    void UncheckGroups();
    // The skin bitmap (resource id) tiled behind the rows in place of the stripes.
    bool LoadBackgroundBitmap(int resourceId = kBackgroundBitmap);
    // The page has just shown this tree's category.
    void OnCategoryShown() {}

    // Check boxes: their size and margins, for drawing and clicks alike. The margins: how far
    // outside the box (left, above, below) a click still hits it, and the box's offset from the
    // left of a group row and of a file row.
    void SetCheckBoxSize(int width, int height);
    void SetCheckBoxMargins(int hit, int groupLeft, int fileLeft);
    SIZE CheckBoxSize() const { return m_boxSize; }
    // The check box of a row whose text rectangle is rowText, and where a click hits it.
    RECT CheckBoxOf(const RECT& rowText, bool group) const;
    RECT CheckBoxHitRect(const RECT& rowText, bool group) const;


    void SetCurrentFile(HTREEITEM item);
    void UpdateCurrentFile();
    // The tooltip's text: the whole path of the file row under the mouse.
    std::string ToolTipText() const;
    // Looks the tree's words up again after a language change.
    void ReloadText();

    static std::string FormatSize(int64_t bytes) { return FormatResultSize(bytes); }
    // The never-drawn item text: the caption padded with '0's so the row is wide enough.
    static std::string PaddedItemText(const std::string& caption);
    // The square that marks a box as partly checked, over its unchecked picture at (x, y).
    static void DrawPartMark(HDC dc, int x, int y, int width = kCheckBoxSize, int height = kCheckBoxSize);
    // The open button at the right end of a file row (client coordinates).
    RECT PreviewRect(const RECT& rowText) const;
    // What a file row says after its size: pixel size, and for a look-alike group whether it
    // is a byte-for-byte copy of another row or only alike. Empty for exact groups.
    std::string LookAlikeNote(const TreeRowRecord& record) const;
    // The second line of a group row.
    std::string GroupCaption(const ResultGroup& group) const;

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    // Arrow keys move the selection: the current file follows it; space toggles the mark.
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    // Scrolling, the wheel and a button released: every row is drawn again.
    LRESULT OnRowsMoved(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    const TreeItemLink* GroupLinkOf(HTREEITEM item) const;
    TreeRowRecord* MakeRecord(ResultGroup* group, int member, bool oddGroup);
    HTREEITEM InsertRow(TreeItemLink* link, HTREEITEM parent);
    bool InsertNextBatch();
    void DrawRow(HDC dc, HTREEITEM item, const RECT& text, const RECT& client);
    void DrawPicture(HDC dc, Gdiplus::Image* image, int x, int y);
    void DrawCheckBox(HDC dc, int mark, int x, int y);
    HICON SmallIconFor(const std::string& name);
    void InvalidateRow(HTREEITEM item);
    void ShowToolTipFor(HTREEITEM item);

    ICallBack* m_callBack = nullptr;
    ResultModel* m_model = nullptr;
    int m_category = 0;
    std::deque<TreeRowRecord> m_records;  // stable addresses: links point into it
    std::deque<TreeItemLink> m_links;     // stable addresses: item data points into it
    std::vector<ResultGroup*> m_groups;   // the groups shown, in order
    size_t m_nextGroup = 0;               // groups[0, next) have root rows
    bool m_oddNext = true;
    HTREEITEM m_hot = nullptr;
    bool m_hotPreview = false;
    // The view a refresh restores: open groups and the group at the top.
    std::set<const ResultGroup*> m_openBefore;
    const ResultGroup* m_topBefore = nullptr;
    std::string m_itemsWord;
    std::string m_lookAlikeCopy, m_lookAlikeOnly, m_lookAlikeGroup;
    std::map<std::string, HICON> m_icons;  // small shell icon by extension
    Gdiplus::Image* m_checked = nullptr;
    Gdiplus::Image* m_unchecked = nullptr;
    Gdiplus::Image* m_collapsed = nullptr;
    Gdiplus::Image* m_expanded = nullptr;
    Gdiplus::Image* m_preview = nullptr;
    Gdiplus::Image* m_previewHover = nullptr;
    POINT m_mouse = {-1, -1};
    SIZE m_boxSize = {kCheckBoxSize, kCheckBoxSize};
    int m_boxHitMargin = 4, m_groupBoxLeft = 11, m_fileBoxLeft = 11;
    HBITMAP m_background = nullptr;
    HWND m_toolTip = nullptr;
};
