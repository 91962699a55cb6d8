// ui/filters/FileSimilarFilterDlg.h
// Sets the similarity precision of the next scan (g_similarityPercent) in a three-digit field:
// 0 to 100, and 100 is exact duplicates only. Its OK (100) stores and ends the dialog, cancel (2) and the
// close item end it unchanged; both end with IDCANCEL.
#pragma once
#include "ui/filters/FilterEditDialog.h"

class FileSimilarFilterDlg : public FilterEditDialog
{
public:
    explicit FileSimilarFilterDlg(CWnd* parent);

    // Stores the field into g_similarityPercent; a field without a number keeps the current
    // value.
    void OnOK() override;

protected:
    // A number the finder does not take is refused in a box that gives the range; the
    // dialog stays open with the field as typed.
    bool AcceptField() override;
    BOOL OnInitDialog() override;
    void DrawBackground(HDC memory) override;
    void DrawForeground(HDC memory) override;

private:
    int editLeft_ = 200;
};
