// ui/results/TreeRowRecord.h
// What one row of a result tree shows, made when the row is inserted. The check marks live
// in the page's ResultModel; a row's mark fields are copied from it (SyncMarks) before the row
// is drawn, so a tree and the all-files tree never disagree.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "ui/results/ResultModel.h"

class FileTreeCtrl;
struct TreeItemLink;

// How much of a group its check box shows. Every file checked is shown apart from every
// file but one: no copy of the group would remain.
enum GroupMark { kGroupUnchecked = 0, kGroupChecked = 1, kGroupPartlyChecked = 2, kGroupAllChecked = 3 };

struct TreeRowRecord
{
    COLORREF textColour = 0xF6C5C4;
    COLORREF captionColour = 0;
    COLORREF backColour = 0x2B211C;
    COLORREF hotColour = 0x323500;
    std::string iconPicture = "pic.png";
    std::string previewPicture = "preview.png";
    std::string firstCaption;
    std::string secondCaption;
    FoundFileRecord* file = nullptr;  // the group's first file, or the row's file; not owned
    bool previewHover = false;        // the open button is drawn in its hover picture
    int64_t checkedSize = 0;
    int index = 0;        // file rows: 1-based place in the group
    int checked = 0;      // file: 0/1; group: a GroupMark
    int category = 5;
    int fileCount = 0;
    int checkedCount = 0;
    bool isGroup = false;
    bool collapsed = true;
    std::vector<TreeItemLink*> links;

    // Where the marks are kept.
    ResultGroup* group = nullptr;
    int member = -1;  // the file's index in the group; -1 for the group row

    // Copies the marks and counts from the model.
    void SyncMarks();
};

// One row in one tree; the row's item data.
struct TreeItemLink
{
    FileTreeCtrl* tree = nullptr;
    TreeRowRecord* record = nullptr;
    bool filled = false;  // group rows: the file rows are inserted
    HTREEITEM item = nullptr;
    HTREEITEM parent = nullptr;  // file rows: their group row
    bool isGroup = false;
    TreeItemLink* groupLink = nullptr;
};

// What a group's box shows: all checked when every file still there is, checked when every
// file but one is (what the box itself does), partly checked for fewer, unchecked for none.
GroupMark MarkOfGroup(const ResultGroup& group);

// For a file of a look-alike group: the 1-based place of the first other member with the same
// non-zero copy class (a byte-for-byte copy of it), or 0 when the file is only alike.
int CopyPartnerOf(const ResultGroup& group, size_t member);
