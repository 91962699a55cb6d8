// bench/disk_report.cpp
// Lists what the disk engine finds on disks: the partition table, every partition and dynamic
// volume, and per volume the file system, its size in sectors and its label.
//   disk_report [--sector-size N] DISK...
// A DISK is a raw image file, a split image (its image file; the parts beside it), or on
// Windows a physical drive as \\.\PhysicalDriveN. Several disks are read as one machine's, so a
// dynamic volume spread over them is assembled. --sector-size applies to the raw images named
// after it (an image file does not record it; 512 by default).
// Exit status: 0 when every disk opened and read, 1 when one did not open or a disk image had
// damaged chunks (their sectors read as zeros; the disk line names them), 2 for a wrong
// command line.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/device/RawImageDevice.h"
#include "engine/image/ImageFileDevice.h"
#include "engine/report/DiskReport.h"

#ifdef _WIN32
#include <windows.h>

#include "engine/device/DiskDevice.h"
#endif

namespace {

#ifdef _WIN32
// The engine's labels are in the ANSI code page; the report is UTF-8 like the tools it is
// compared with.
std::string AnsiToUtf8(const std::string& text)
{
    if (text.empty())
        return text;
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], n);
    int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(m), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, &out[0], m, nullptr, nullptr);
    return out;
}

std::string LabelCodePage() { return "cp" + std::to_string(GetACP()); }

// "\\.\PhysicalDrive3" -> 3; -1 for anything else.
int PhysicalDriveNumber(const std::string& name)
{
    const char prefix[] = "\\\\.\\physicaldrive";
    const size_t n = sizeof(prefix) - 1;
    if (name.size() <= n || _strnicmp(name.c_str(), prefix, n) != 0)
        return -1;
    char* end = nullptr;
    long number = strtol(name.c_str() + n, &end, 10);
    return (*end == 0 && number >= 0 && number < 20) ? int(number) : -1;
}

#else
std::string LabelCodePage() { return "ascii"; }
#endif

// Null with the reason in `why` when the disk cannot be read as what it is.
std::unique_ptr<IStorageDevice> OpenDisk(const std::string& name, uint32_t sectorSize, std::string& why)
{
#ifdef _WIN32
    const int drive = PhysicalDriveNumber(name);
    if (drive >= 0) {
        std::unique_ptr<CDiskDevice> disk(new CDiskDevice(drive));
        return disk->IsOpen() ? std::move(disk) : nullptr;
    }
#endif
    std::unique_ptr<CImageFileDeviceWithDecompress> split(new CImageFileDeviceWithDecompress(name.c_str()));
    if (split->IsImageHeaderFile()) {
        // Read as a raw disk, a split image's header would show an empty disk: a false
        // "nothing here".
        const std::string missing = split->MissingImageFile();
        if (missing.empty())
            return split;
        why = "a split image whose file is missing: " + missing;
        return nullptr;
    }
    std::unique_ptr<CRawImageDevice> raw(new CRawImageDevice(name, sectorSize));
    return raw->IsOpen() ? std::move(raw) : nullptr;
}

int Usage()
{
    fprintf(stderr, "usage: disk_report [--sector-size N] DISK...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::unique_ptr<IStorageDevice>> owned;
    std::vector<IStorageDevice*> disks;
    uint32_t sectorSize = 512;
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--sector-size") == 0) {
            if (i + 1 >= argc)
                return Usage();
            char* end = nullptr;
            const unsigned long value = strtoul(argv[++i], &end, 10);
            if (*end != 0 || SaneRawImageSectorSize(uint32_t(value)) != value) {
                fprintf(stderr, "disk_report: sector size %s: a power of two from 512 to 65536 is accepted\n", argv[i]);
                return Usage();
            }
            sectorSize = uint32_t(value);
            continue;
        }
        std::string why;
        std::unique_ptr<IStorageDevice> disk = OpenDisk(argv[i], sectorSize, why);
        if (!disk) {
            fprintf(stderr, "disk_report: cannot open %s%s%s\n", argv[i], why.empty() ? "" : ": ", why.c_str());
            status = 1;
            continue;
        }
        disks.push_back(disk.get());
        owned.push_back(std::move(disk));
    }
    if (argc < 2)
        return Usage();
    const DiskReport report = BuildDiskReport(disks);
    for (size_t i = 0; i < report.disks.size(); ++i) {
        for (const auto& range : report.disks[i].damaged) {
            fprintf(stderr, "disk_report: disk %zu: sectors %llu-%llu lie in damaged chunks and read as zeros\n", i,
                    (unsigned long long)range.first, (unsigned long long)(range.second - 1));
            status = 1;
        }
    }
    printf("labels code-page=%s\n", LabelCodePage().c_str());
#ifdef _WIN32
    fputs(FormatDiskReport(report, AnsiToUtf8).c_str(), stdout);
#else
    fputs(FormatDiskReport(report).c_str(), stdout);
#endif
    return status;
}
