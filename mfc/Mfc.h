// mfc/Mfc.h
// The whole window layer in one include.
#pragma once
#include "mfc/Button.h"
#include "mfc/DC.h"
#include "mfc/Dialog.h"
#include "mfc/DialogTemplate.h"
#include "mfc/Gdi.h"
#include "mfc/Geometry.h"
#include "mfc/MessageMap.h"
#include "mfc/RichEditCtrl.h"
#include "mfc/ScrollBar.h"
#include "mfc/String.h"
#include "mfc/TabCtrl.h"
#include "mfc/TreeCtrl.h"
#include "mfc/WinApp.h"
#include "mfc/Wnd.h"
