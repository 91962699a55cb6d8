// ui/filters/EditFileTypeItemDlg.h
// Edits the extension list of one file kind. OK (100) stores a changed list, normalised to
// lower-case ".ext;" entries, as the user's own under "<category>DescUser" in English.dat;
// cancel (2) and the close item change nothing. Both end with IDCANCEL.
#pragma once
#include <string>

#include "ui/filters/FilterEditDialog.h"

class EditFileTypeItemDlg : public FilterEditDialog
{
public:
    explicit EditFileTypeItemDlg(CWnd* parent);

    // "Photo", "OfficeDoc", "Video", "Music" or "Other"; set before the dialog runs.
    void SetCategory(const std::string& category) { category_ = category; }
    const std::string& CurrentList() const { return currentList_; }
    const std::string& SampleText() const { return sample_; }

    void OnOK() override;

protected:
    BOOL OnInitDialog() override;
    void DrawBackground(HDC memory) override;
    void DrawForeground(HDC memory) override;

private:
    std::string category_;
    std::string displayName_;
    std::string sample_;
    std::string currentList_;
    std::string userList_;
};
