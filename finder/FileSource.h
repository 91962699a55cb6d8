// finder/FileSource.h
// Where the finder lists folders and reads files. The platform source goes to the disk; tests
// put a source of their own in its place to count what is opened and read.
#pragma once
#include <stdint.h>
#include <functional>
#include <memory>
#include <string>

struct FolderEntry
{
    std::string name;
    uint32_t attributes = 0;  // Win32 attribute word as listed (0x10 folder, 0x400 reparse point)
    uint64_t size = 0;
    uint64_t writeTime = 0;   // FILETIME as one value
    uint32_t reparseTag = 0;  // of a reparse point; 0 when not told
    // When the name is the short name that reaches a file whose long name the code page cannot
    // hold ("FOTO~1.JPE" for a Cyrillic "....jpeg"): the long name's extension ("jpeg"), empty
    // when it has none or cannot be told either. Empty for every other entry.
    std::string longExtension;
    // No path reaches this entry as listed: its name is one that the platform takes for a
    // device ("aux", "con.txt": opening it would open the port, which may never answer), or
    // one that paths cut short ("a." is read as its neighbour "a") with no short name to stand
    // in. It is never opened or listed; the walk counts it as left out.
    bool unreachable = false;

    bool IsFolder() const { return (attributes & 0x10) != 0; }
    bool IsReparsePoint() const { return (attributes & 0x400) != 0; }
    // A junction, symbolic link or mount point (a reparse point whose tag says it names
    // something else), or a reparse point of a kind not told: through it a file would stand
    // beside itself, and a loop would never end. Other reparse points (files the system keeps
    // compressed, deduplicated or in step with a cloud copy) are ordinary files and folders.
    bool IsLink() const { return IsReparsePoint() && (reparseTag == 0 || (reparseTag & 0x20000000) != 0); }
    // Content that is not on this machine: reading it would fetch it.
    // Offline, recall on open, recall on data access.
    bool IsAway() const { return (attributes & (0x1000 | 0x40000 | 0x400000)) != 0; }
};

class IReadableFile
{
public:
    virtual ~IReadableFile() {}
    // Reads up to count bytes at offset into buffer; *got is what was read (0 at the end).
    // False on a read error.
    virtual bool ReadAt(uint64_t offset, void* buffer, uint32_t count, uint32_t* got) = 0;
    // What tells this file apart from every other file of its volume (its file index), so that
    // a file met twice, through a link, is known as one. False when it cannot be told.
    virtual bool Identity(std::string* id) { return false; }
};

class IFileSource
{
public:
    virtual ~IFileSource() {}
    // Calls onEntry for every entry of the folder ("." and ".." included, as listed) until it
    // returns false. False when the folder cannot be listed.
    virtual bool ListFolder(const std::string& folder,
                            const std::function<bool(const FolderEntry&)>& onEntry) = 0;
    // Null when the file cannot be opened for reading.
    virtual std::unique_ptr<IReadableFile> OpenRead(const std::string& path) = 0;
    // The size the file itself reports, for a listing that may be stale. False when unknown.
    virtual bool FileSize(const std::string& path, uint64_t* size) { return false; }
    // Whether a folder listed as a link (IsLink) is in fact another file system mounted there:
    // the platform resolves it to itself, not to some other folder. It is searched then.
    virtual bool IsMountedFolder(const std::string& folder) { return false; }
    // The folder by its long name, as the system-folder test knows it ("C:\PROGRA~1" is
    // "C:\Program Files"); unchanged when that cannot be told exactly.
    virtual std::string LongFolderName(const std::string& folder) { return folder; }
};

// The disk, through FindFirstFile and CreateFile.
IFileSource& PlatformFileSource();

// Reads count bytes at offset in one or more reads: false unless all of them came.
bool ReadExactly(IReadableFile& file, uint64_t offset, void* buffer, uint32_t count);
