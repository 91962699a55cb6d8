// program/KvrUiApp.h
// The application object: prepares the process (window class, common controls, language,
// fonts), keeps the program to one running copy, runs the main dialog modally and reports
// its end to the usage libraries.
#pragma once
#include <string>

#include "mfc/Mfc.h"

// The product's title: the main window's title and the crash message's caption.
extern const char* const MainWindowTitle;

class CKVRUIApp : public CWinApp
{
public:
    CKVRUIApp();

    BOOL InitInstance() override;
    // True when this is the only running copy; false after the running copy was told to come
    // to the front.
    bool CheckSingleInstance();

    const std::string& ProductVersion() const { return productVersion_; }
    INT_PTR DialogResult() const { return dialogResult_; }

    DECLARE_MESSAGE_MAP()

private:
    std::string productVersion_;
    INT_PTR dialogResult_ = 0;
};
