// finder/CountingFileSource.h
// A file source that passes everything to another one and counts the files opened and the
// bytes read, for the benchmark and the tests.
#pragma once
#include <atomic>

#include "finder/FileSource.h"

class CountingFileSource : public IFileSource
{
public:
    explicit CountingFileSource(IFileSource& inner) : m_inner(inner) {}

    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& onEntry) override;
    std::unique_ptr<IReadableFile> OpenRead(const std::string& path) override;
    bool FileSize(const std::string& path, uint64_t* size) override { return m_inner.FileSize(path, size); }
    std::string LongFolderName(const std::string& folder) override { return m_inner.LongFolderName(folder); }
    bool IsMountedFolder(const std::string& folder) override { return m_inner.IsMountedFolder(folder); }

    uint64_t FilesOpened() const { return m_opened; }
    uint64_t BytesRead() const { return m_bytes; }
    uint64_t FoldersListed() const { return m_listed; }

private:
    IFileSource& m_inner;
    std::atomic<uint64_t> m_opened{0};
    std::atomic<uint64_t> m_bytes{0};
    std::atomic<uint64_t> m_listed{0};
};
