// ui/startpage/DroppedFolder.cpp
#include "ui/startpage/DroppedFolder.h"

DroppedFolder TakeDroppedFolder(HDROP drop, bool busy)
{
    DroppedFolder dropped;
    if (!drop)
        return dropped;
    size_t length = 0;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    if (!busy && DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        length = DragQueryFileA(drop, 0, nullptr, 0);
        char buffer[MAX_PATH] = {};
        if (length > 0 && length < MAX_PATH && DragQueryFileA(drop, 0, buffer, MAX_PATH) == length) {
            dropped.path = buffer;
            attributes = GetFileAttributesA(buffer);
        }
    }
    dropped.verdict = CheckDroppedPath(busy, dropped.path, length, attributes);
    DragFinish(drop);
    return dropped;
}
