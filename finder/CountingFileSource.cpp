// finder/CountingFileSource.cpp
#include "finder/CountingFileSource.h"

namespace {

class CountingFile : public IReadableFile
{
public:
    CountingFile(std::unique_ptr<IReadableFile> inner, std::atomic<uint64_t>& bytes)
        : m_inner(std::move(inner)), m_bytes(bytes) {}

    bool ReadAt(uint64_t offset, void* buffer, uint32_t count, uint32_t* got) override
    {
        bool ok = m_inner->ReadAt(offset, buffer, count, got);
        m_bytes += *got;
        return ok;
    }

    bool Identity(std::string* id) override { return m_inner->Identity(id); }

private:
    std::unique_ptr<IReadableFile> m_inner;
    std::atomic<uint64_t>& m_bytes;
};

}  // namespace

bool CountingFileSource::ListFolder(const std::string& folder,
                                    const std::function<bool(const FolderEntry&)>& onEntry)
{
    ++m_listed;
    return m_inner.ListFolder(folder, onEntry);
}

std::unique_ptr<IReadableFile> CountingFileSource::OpenRead(const std::string& path)
{
    std::unique_ptr<IReadableFile> file = m_inner.OpenRead(path);
    if (!file)
        return nullptr;
    ++m_opened;
    return std::unique_ptr<IReadableFile>(new CountingFile(std::move(file), m_bytes));
}
