// ui/startpage/StartPageNotices.h
// The modal answers of the start page: nothing found, a scan that could not give results,
// and the wait for the scan worker when the program closes.
#pragma once
#include <windows.h>

#include <stdint.h>

#include <atomic>
#include <string>

#include "finder/ScanRun.h"

// "notFoundFiles", with no parent window (owned by the main window).
void ShowNotFoundNoticeDialog();
// The reason a scan gave no results, in a message box over owner.
void ShowScanProblemDialog(HWND owner, ScanProblem problem);
// Nothing found among what could be read, with the folders and files that could not be.
void ShowIncompleteScanDialog(HWND owner, uint32_t folders, uint32_t files);
// The text of that notice: "ScanIncomplete" and the counts that are not zero.
std::string IncompleteScanText(uint32_t folders, uint32_t files);
// The language key that tells problem; null for kScanProblemNone.
const char* ScanProblemKey(ScanProblem problem);
// "Existing" over owner until settled is non-zero (at once when it already is).
void WaitForScanWorker(HWND owner, const std::atomic<int>& settled);
