// tests/fuzz/fuzz_image_header.cpp
// A split image's header and chunk-count table, and its part list's lines turned into paths.
#include <string>

#include "engine/image/ImageLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ImageHeader header;
    ParseImageHeader(data, size, &header);
    // The rest of the input, past the header, as part-list lines.
    if (size > kImageHeaderSize) {
        std::string list(reinterpret_cast<const char*>(data) + kImageHeaderSize, size - kImageHeaderSize);
        size_t at = 0;
        while (at < list.size()) {
            size_t end = list.find('\n', at);
            if (end == std::string::npos)
                end = list.size();
            ImagePartPathFromLine("images/disk.img", list.substr(at, end - at + 1));
            at = end + 1;
        }
    }
    return 0;
}
