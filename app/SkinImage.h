// app/SkinImage.h
// Skin pictures (PNG, GIF) that ship in the program's "Res\Eng" folder.
#pragma once

namespace Gdiplus {
class Image;
}

// Loads program folder + "Res\Eng\" + fileName through GDI+ (embedded colour management
// off). The caller owns the image and deletes it. Null when the name is null, the path would
// not fit in MAX_PATH, or the file does not decode, so callers need test only for null.
Gdiplus::Image* LoadSkinImage(const char* fileName);
