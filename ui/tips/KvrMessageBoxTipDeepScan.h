// ui/tips/KvrMessageBoxTipDeepScan.h
// The program's message box offering a deeper scan below the message ("canDeepScan1" in
// the accent colour, then "canDeepScan2"), with picture 361. Buttons and results are the
// message box's: 501 gives 1, 500 gives 2, a third button 502 (and then the caption's
// close) gives 3.
#pragma once
#include <string>

#include "uikit/dialog/KvrMessageBox.h"

class KvrMessageBoxTipDeepScan : public KVRMessageBox
{
public:
    explicit KvrMessageBoxTipDeepScan(CWnd* parent, COLORREF textColour = 0);

    const std::string& FirstOffer() const { return firstOffer_; }
    const std::string& SecondOffer() const { return secondOffer_; }

protected:
    BOOL OnInitDialog() override;
    void DrawForeground(HDC memory) override;

private:
    COLORREF colour_;
    std::string firstOffer_, secondOffer_;
};

// Splits text after its first `count` characters (not bytes: a double-byte character is
// never cut in two), or earlier after a blank so that no word is cut.
void SplitAfterCharacters(const std::string& text, int count, std::string& head,
                          std::string& tail);
