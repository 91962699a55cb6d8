// ui/startpage/DroppedFolder.h
// The folder of a drop, read the one way both pages read it.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "ui/startpage/DropCheck.h"

struct DroppedFolder {
    DropVerdict verdict = kDropNothing;
    std::string path;  // the first item dropped, when it was read whole
};

// The first item of drop checked as a scan location (busy: a scan or removal runs). The
// drop is released (DragFinish) in every case.
DroppedFolder TakeDroppedFolder(HDROP drop, bool busy);
