// app/ResourceLayout.h
// Window layouts from "Resource.xml" beside the program: root "Resource" (any case), one
// child element per window, one grandchild per widget with its integer "id".
#pragma once
#include <string>

#include "app/XmlNesting.h"

class TiXmlElement;

// Loads the layout file unless it is loaded already, and says how that went: Unusable also
// for another root (windows then come up without widgets), TooDeep for a file nested deeper
// than kMaxXmlNesting. Start-up asks once, so that a refused file is told to the user
// (XmlTooDeepMessage) instead of leaving empty windows.
XmlFileState LoadResourceLayout();
// The file that is read: program folder + "Resource.xml", or the path set for tests.
std::string ResourceLayoutPath();

// The root's first child element named exactly name; null when the name is null, the file is
// missing, malformed, nested too deep or has another root (the file is tried again on the
// next call), or there is no such window. The document is kept until exit.
TiXmlElement* GetResourceElement(const char* name);

// The first child of window `name` whose "id" attribute equals id (non-zero); null otherwise.
TiXmlElement* GetResourceItem(const char* name, int id);

// Reads layouts from path from now on (null or empty: program folder + "Resource.xml");
// the loaded document is dropped, and with it every element handed out before. For tests
// and tools.
void SetResourceLayoutPath(const char* path);
