// app/ResourceLayout.h
// Window layouts from "Resource.xml" beside the program: root "Resource" (any case), one
// child element per window, one grandchild per widget with its integer "id".
#pragma once

class TiXmlElement;

// The root's first child element named exactly name; null when the name is null, the file is
// missing, malformed or has another root (the file is tried again on the next call), or
// there is no such window. The document is kept until exit.
TiXmlElement* GetResourceElement(const char* name);

// The first child of window `name` whose "id" attribute equals id (non-zero); null otherwise.
TiXmlElement* GetResourceItem(const char* name, int id);

// Reads layouts from path from now on (null or empty: program folder + "Resource.xml");
// the loaded document is dropped, and with it every element handed out before. For tests
// and tools.
void SetResourceLayoutPath(const char* path);
