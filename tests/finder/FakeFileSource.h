// tests/finder/FakeFileSource.h
// An in-memory folder tree that counts what the finder opens and reads, and can refuse to
// list a folder or run a hook when one is listed.
#pragma once
#include <string.h>

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "finder/FileSource.h"

// Reads a string's bytes; counts its reads.
class MemoryFile : public IReadableFile
{
public:
    explicit MemoryFile(const std::string& data, int* reads = nullptr) : m_data(data), m_reads(reads) {}
    bool ReadAt(uint64_t offset, void* buffer, uint32_t count, uint32_t* got) override
    {
        if (m_reads)
            ++*m_reads;
        *got = 0;
        if (offset >= m_data.size())
            return true;
        size_t n = std::min<size_t>(count, m_data.size() - size_t(offset));
        memcpy(buffer, m_data.data() + offset, n);
        *got = uint32_t(n);
        return true;
    }

private:
    std::string m_data;
    int* m_reads;
};

class FakeFileSource : public IFileSource
{
public:
    // path like "M:\tree\a\b.txt"; parent folders are made as needed.
    void AddFile(const std::string& path, const std::string& content, uint32_t attributes = 0x20,
                 int64_t listedSize = -1)
    {
        Entry e;
        e.entry.name = NameOf(path);
        e.entry.attributes = attributes;
        e.entry.size = listedSize >= 0 ? uint64_t(listedSize) : content.size();
        e.content = content;
        AddEntry(path, e);
    }
    void AddFolder(const std::string& path, uint32_t attributes = 0x10)
    {
        Entry e;
        e.entry.name = NameOf(path);
        e.entry.attributes = attributes;
        AddEntry(path, e);
    }
    void SetReparseTag(const std::string& path, uint32_t tag) { m_entries[path].entry.reparseTag = tag; }
    void SetUnlistable(const std::string& folder) { m_unlistable.insert(folder); }
    void SetUnopenable(const std::string& path) { m_unopenable.insert(path); }
    void OnList(std::function<void(const std::string&)> hook) { m_onList = hook; }
    void OnOpen(std::function<void(const std::string&)> hook) { m_onOpen = hook; }

    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& onEntry) override
    {
        std::string key = Trim(folder);
        if (m_onList)
            m_onList(key);
        if (m_unlistable.count(key) || !m_folders.count(key))
            return false;
        FolderEntry dot;
        dot.attributes = 0x10;
        dot.name = ".";
        if (!onEntry(dot))
            return true;
        dot.name = "..";
        if (!onEntry(dot))
            return true;
        for (const std::string& child : m_folders[key]) {
            if (!onEntry(m_entries[Join(key, child)].entry))
                break;
        }
        return true;
    }

    std::unique_ptr<IReadableFile> OpenRead(const std::string& path) override
    {
        if (m_onOpen)
            m_onOpen(path);
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_entries.find(path);
        if (it == m_entries.end() || it->second.entry.IsFolder() || m_unopenable.count(path))
            return nullptr;
        m_opened[path] += 1;
        return std::unique_ptr<IReadableFile>(new CountingMemoryFile(it->second.content, this));
    }

    bool FileSize(const std::string& path, uint64_t* size) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_entries.find(path);
        if (it == m_entries.end() || it->second.entry.IsFolder())
            return false;
        *size = it->second.content.size();
        return true;
    }

    std::set<std::string> Opened() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::set<std::string> out;
        for (auto& e : m_opened)
            out.insert(e.first);
        return out;
    }
    int OpenCount(const std::string& path) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_opened.find(path);
        return it == m_opened.end() ? 0 : it->second;
    }
    uint64_t BytesRead() const { return m_bytes; }

private:
    struct Entry
    {
        FolderEntry entry;
        std::string content;
    };
    class CountingMemoryFile : public MemoryFile
    {
    public:
        CountingMemoryFile(const std::string& data, FakeFileSource* owner) : MemoryFile(data), m_owner(owner) {}
        bool ReadAt(uint64_t offset, void* buffer, uint32_t count, uint32_t* got) override
        {
            bool ok = MemoryFile::ReadAt(offset, buffer, count, got);
            std::lock_guard<std::mutex> lock(m_owner->m_mutex);
            m_owner->m_bytes += *got;
            return ok;
        }

    private:
        FakeFileSource* m_owner;
    };

    static std::string Trim(std::string path)
    {
        while (path.size() > 3 && path.back() == '\\')
            path.pop_back();
        return path;
    }
    static std::string Join(const std::string& folder, const std::string& name)
    {
        return folder.back() == '\\' ? folder + name : folder + "\\" + name;
    }
    static std::string NameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
    static std::string ParentOf(const std::string& path)
    {
        std::string parent = path.substr(0, path.rfind('\\'));
        return parent.size() == 2 ? parent + "\\" : parent;  // "M:" -> "M:\"
    }
    void AddEntry(const std::string& path, const Entry& e)
    {
        std::string parent = ParentOf(path);
        if (parent.size() > 3 && !m_entries.count(parent))
            AddFolder(parent);
        m_folders[parent];
        if (e.entry.IsFolder())
            m_folders[path];
        if (!m_entries.count(path))
            m_folders[parent].push_back(e.entry.name);
        m_entries[path] = e;
    }

    std::map<std::string, std::vector<std::string>> m_folders;  // folder -> child names in order
    std::map<std::string, Entry> m_entries;                     // full path -> entry
    std::set<std::string> m_unlistable, m_unopenable;
    std::function<void(const std::string&)> m_onList;
    std::function<void(const std::string&)> m_onOpen;
    mutable std::mutex m_mutex;
    std::map<std::string, int> m_opened;
    uint64_t m_bytes = 0;
};
