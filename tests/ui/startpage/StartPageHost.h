// tests/ui/startpage/StartPageHost.h
// Hosts the start page as the main dialog would: a parent window that records what the page
// sends it, a page whose modal answers are counted, and helpers to drop paths and close the
// modal windows the page opens.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/startpage/SelFileTypeWnd.h"

namespace startpagetest {

// A top-level window (shared by every test of a program) that records 0x178A and WM_COMMAND.
class RecordingParent {
public:
    static RecordingParent& Shared();
    HWND Hwnd() const { return hwnd_; }
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const std::vector<Message>& Messages() const { return messages_; }
    void Clear() { messages_.clear(); }
    int CountCommand(WPARAM id) const;
    // The 0x178A messages that carried a running percentage (lParam 100).
    int CountProgress() const;
    // Whether 0x178A (0, 0) arrived.
    bool ProgressSwitchedOff() const;

private:
    RecordingParent();
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    std::vector<Message> messages_;
};

// The page with its modal answers counted (and still shown: a ModalCloser ends them).
class WatchedPage : public UiCtrl::SelFileTypeWnd {
public:
    int notFoundShown = 0;
    int problemsShown = 0;
    int incompleteShown = 0;
    uint32_t foldersNotListed = 0, filesNotRead = 0;
    ScanProblem lastProblem = kScanProblemNone;
    int similarOpened = 0;
    int chooserOpened = 0;
    std::string chooserAnswer;  // empty: the chooser is cancelled
    bool realChooser = false;   // run the folder chooser itself

protected:
    void ShowNotFoundNotice() override;
    void ShowScanProblem(ScanProblem problem) override;
    void ShowIncompleteScanNotice(uint32_t folders, uint32_t files) override;
    void OpenSimilarFilter() override { ++similarOpened; }
    bool ChooseFolder(std::string& folder) override;
};

// While it lives, every modal window this thread opens is closed with IDCANCEL soon after it
// appears; Seen() counts them.
class ModalCloser {
public:
    explicit ModalCloser(HWND keep);
    ~ModalCloser();
    int Seen() const;

private:
    UINT_PTR timer_ = 0;
};

// Dispatches this thread's messages until done() or timeoutMs; true when done() came true.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD milliseconds);

// A real drop block (DROPFILES, ANSI) naming paths, as the shell hands it to WM_DROPFILES.
HDROP MakeDrop(const std::vector<std::string>& paths);

// Clicks the page at a point of its client area, through the mouse messages a user makes.
void ClickAt(HWND page, POINT point);

} // namespace startpagetest
