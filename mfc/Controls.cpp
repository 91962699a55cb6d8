// mfc/Controls.cpp
// Run-time class records of the thin control wrappers.
#include "mfc/Button.h"
#include "mfc/RichEditCtrl.h"
#include "mfc/ScrollBar.h"
#include "mfc/TabCtrl.h"
#include "mfc/TreeCtrl.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)
