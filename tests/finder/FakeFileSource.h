// tests/finder/FakeFileSource.h
// An in-memory folder tree that counts what the finder opens and reads (and how much of the
// reader's memory the reads fill), and can refuse to list a folder or run a hook when one is
// listed, opened or read. Its files are read live: a
// file changed or removed while open reads as it now is. A generated file is made of bytes that
// a fill function gives, so files of many GiB take no memory.
#pragma once
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <iterator>
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
    // fill(offset, out, count) writes the bytes [offset, offset + count) of the file.
    typedef std::function<void(uint64_t offset, uint8_t* out, uint32_t count)> Fill;
    void AddGeneratedFile(const std::string& path, uint64_t size, Fill fill)
    {
        Entry e;
        e.entry.name = NameOf(path);
        e.entry.attributes = 0x20;
        e.entry.size = size;
        e.fill = fill;
        e.generatedSize = size;
        AddEntry(path, e);
    }
    // Changes a file's content (as listed, it stays what it was), or removes it, from a hook.
    void SetContent(const std::string& path, const std::string& content)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries[path].content = content;
        m_entries[path].fill = nullptr;
    }
    void Remove(const std::string& path)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_removed.insert(path);
    }
    void AddFolder(const std::string& path, uint32_t attributes = 0x10)
    {
        Entry e;
        e.entry.name = NameOf(path);
        e.entry.attributes = attributes;
        AddEntry(path, e);
    }
    void SetWriteTime(const std::string& path, uint64_t fileTime) { m_entries[path].entry.writeTime = fileTime; }
    void SetReparseTag(const std::string& path, uint32_t tag) { m_entries[path].entry.reparseTag = tag; }
    void SetUnlistable(const std::string& folder) { m_unlistable.insert(folder); }
    void SetUnopenable(const std::string& path) { m_unopenable.insert(path); }
    void OnList(std::function<void(const std::string&)> hook) { m_onList = hook; }
    void OnOpen(std::function<void(const std::string&)> hook) { m_onOpen = hook; }
    // Runs before every read of an open file, with the file's path and the read's offset.
    void OnRead(std::function<void(const std::string&, uint64_t)> hook) { m_onRead = hook; }

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
        if (it == m_entries.end() || it->second.entry.IsFolder() || m_unopenable.count(path) ||
            m_removed.count(path))
            return nullptr;
        m_opened[path] += 1;
        return std::unique_ptr<IReadableFile>(new LiveFile(path, this));
    }

    bool FileSize(const std::string& path, uint64_t* size) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_entries.find(path);
        if (it == m_entries.end() || it->second.entry.IsFolder())
            return false;
        *size = it->second.fill ? it->second.generatedSize : it->second.content.size();
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
    // The most files open at once so far.
    int MostOpenAtOnce() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_mostOpen;
    }
    uint64_t BytesRead() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_bytes;
    }
    uint64_t BytesRead(const std::string& path) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_bytesOf.find(path);
        return it == m_bytesOf.end() ? 0 : it->second;
    }
    // The bytes of the reader's memory that reads have filled, each counted once however often
    // it was filled: the reader held at least as much as it ever read into at once.
    uint64_t MemoryReadInto() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_readIntoBytes;
    }

private:
    struct Entry
    {
        FolderEntry entry;
        std::string content;
        Fill fill;
        uint64_t generatedSize = 0;
    };
    class LiveFile : public IReadableFile
    {
    public:
        // Made under the owner's lock, which counts it as open.
        LiveFile(const std::string& path, FakeFileSource* owner) : m_path(path), m_owner(owner)
        {
            m_owner->m_mostOpen = std::max(m_owner->m_mostOpen, ++m_owner->m_open);
        }
        ~LiveFile() override
        {
            std::lock_guard<std::mutex> lock(m_owner->m_mutex);
            --m_owner->m_open;
        }
        bool ReadAt(uint64_t offset, void* buffer, uint32_t count, uint32_t* got) override
        {
            *got = 0;
            if (m_owner->m_onRead)
                m_owner->m_onRead(m_path, offset);
            Fill fill;
            uint64_t size = 0;
            {
                std::lock_guard<std::mutex> lock(m_owner->m_mutex);
                if (m_owner->m_removed.count(m_path))
                    return false;  // gone while open
                const Entry& e = m_owner->m_entries[m_path];
                fill = e.fill;
                size = fill ? e.generatedSize : e.content.size();
                if (offset < size) {
                    *got = uint32_t(std::min<uint64_t>(count, size - offset));
                    if (!fill)
                        memcpy(buffer, e.content.data() + offset, *got);
                }
                m_owner->m_bytes += *got;
                m_owner->m_bytesOf[m_path] += *got;
                m_owner->NoteReadInto(uintptr_t(buffer), uintptr_t(buffer) + *got);
            }
            if (fill && *got)
                fill(offset, static_cast<uint8_t*>(buffer), *got);
            return true;
        }

    private:
        std::string m_path;
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
    // Joins [begin, end) to the memory read into (under the lock).
    void NoteReadInto(uintptr_t begin, uintptr_t end)
    {
        if (begin == end)
            return;
        auto it = m_readInto.upper_bound(begin);
        if (it != m_readInto.begin() && std::prev(it)->second >= begin)
            --it;
        while (it != m_readInto.end() && it->first <= end) {
            begin = std::min(begin, it->first);
            end = std::max(end, it->second);
            m_readIntoBytes -= it->second - it->first;
            it = m_readInto.erase(it);
        }
        m_readInto[begin] = end;
        m_readIntoBytes += end - begin;
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
    std::set<std::string> m_unlistable, m_unopenable, m_removed;
    std::function<void(const std::string&)> m_onList;
    std::function<void(const std::string&)> m_onOpen;
    std::function<void(const std::string&, uint64_t)> m_onRead;
    mutable std::mutex m_mutex;
    std::map<std::string, int> m_opened;
    std::map<std::string, uint64_t> m_bytesOf;
    uint64_t m_bytes = 0;
    std::map<uintptr_t, uintptr_t> m_readInto;  // start -> end, apart from one another
    uint64_t m_readIntoBytes = 0;
    int m_open = 0;
    int m_mostOpen = 0;
};
