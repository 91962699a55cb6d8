// tests/fuzz/fuzz_split_image.cpp
// A split, compressed disk image read through its files: the header file with its chunk
// index and up to three part files come from the input (PiecesOf), the part list naming them
// is written beside them (or left out, by the first piece's flag), and the image is read at
// its edges and across chunk and part boundaries, with the chunk cache on and off.
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "engine/image/ImageFileDevice.h"
#include "engine/image/ImageLayout.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

const std::string& Folder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/fuzz-split-image-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp") + "/";
    }();
    return folder;
}

void WriteFile(const std::string& path, const unsigned char* data, size_t size)
{
    if (FILE* file = fopen(path.c_str(), "wb")) {
        if (size)
            fwrite(data, 1, size, file);
        fclose(file);
    }
}

void ReadAround(IStorageDevice& device, uint64_t at, std::vector<unsigned char>& buffer)
{
    const uint64_t total = device.GetTotalSectors();
    const uint32_t sector = device.GetBytesPerSector();
    for (uint64_t count : {uint64_t(1), uint64_t(3)}) {
        buffer.assign(size_t(count) * sector, 0);
        device.ReadSectors(buffer.data(), at, count);
    }
    // A read that starts beyond the image fails; one that runs past its end must stay inside
    // the buffer.
    if (at >= total) {
        buffer.assign(sector, 0);
        device.ReadSectors(buffer.data(), at, 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<FuzzPiece> pieces = PiecesOf(data, size);
    if (pieces.empty())
        return 0;
    const std::string image = Folder() + "disk.img";
    WriteFile(image, pieces[0].data, pieces[0].size);
    std::string list;
    for (size_t n = 1; n < pieces.size(); ++n) {
        const std::string part = ImagePartFileName(image, uint32_t(n - 1));
        WriteFile(part, pieces[n].data, pieces[n].size);
        list += part.substr(Folder().size()) + "\r\n";
    }
    // A piece's flag leaves the part list out, as when it went missing.
    if (!pieces[0].flag)
        WriteFile(ImagePartListName(image), reinterpret_cast<const unsigned char*>(list.data()), list.size());
    else
        unlink(ImagePartListName(image).c_str());

    std::vector<unsigned char> buffer;
    for (size_t cached : {size_t(0), size_t(2)}) {
        CImageFileDeviceWithDecompress device(image.c_str(), cached);
        device.MissingImageFile();
        device.IsImageHeaderFile();
        const uint64_t total = device.GetTotalSectors();
        if (total == 0 || device.GetBytesPerSector() > 65536)
            continue;
        // Edges of the image and of the first chunks (256 sectors each), each part's first chunk.
        for (uint64_t at : {uint64_t(0), total - 1, total, uint64_t(255), uint64_t(256), uint64_t(511),
                            uint64_t(512), total / 2})
            ReadAround(device, at, buffer);
    }
    for (size_t n = 1; n < pieces.size(); ++n)
        unlink(ImagePartFileName(image, uint32_t(n - 1)).c_str());
    return 0;
}
