// finder/SharedFolder.h
// The folder of a found file, shared by every record of that folder: a scan of 200,000 files
// keeps one copy of each folder's path instead of one per file. Read like a std::string; an
// assignment makes a new text of its own, so records never change one another's folder.
#pragma once
#include <memory>
#include <ostream>
#include <string>

class SharedFolder
{
public:
    SharedFolder() = default;
    SharedFolder(const std::string& text) : m_text(std::make_shared<const std::string>(text)) {}
    SharedFolder(const char* text) : SharedFolder(std::string(text ? text : "")) {}

    const std::string& str() const { return m_text ? *m_text : Empty(); }
    operator const std::string&() const { return str(); }

    const char* c_str() const { return str().c_str(); }
    size_t size() const { return str().size(); }
    size_t length() const { return str().size(); }
    bool empty() const { return str().empty(); }
    char back() const { return str().back(); }
    char operator[](size_t i) const { return str()[i]; }
    size_t find(const std::string& what, size_t from = 0) const { return str().find(what, from); }
    size_t find(char what, size_t from = 0) const { return str().find(what, from); }
    std::string substr(size_t from, size_t count = std::string::npos) const { return str().substr(from, count); }
    int compare(const std::string& other) const { return str().compare(other); }

private:
    static const std::string& Empty()
    {
        static const std::string empty;
        return empty;
    }
    std::shared_ptr<const std::string> m_text;
};

inline std::string operator+(const SharedFolder& folder, const std::string& name) { return folder.str() + name; }
inline bool operator==(const SharedFolder& a, const SharedFolder& b) { return a.str() == b.str(); }
inline bool operator==(const SharedFolder& a, const std::string& b) { return a.str() == b; }
inline bool operator==(const std::string& a, const SharedFolder& b) { return a == b.str(); }
inline bool operator==(const SharedFolder& a, const char* b) { return a.str() == b; }
inline bool operator==(const char* a, const SharedFolder& b) { return b.str() == a; }
inline bool operator!=(const SharedFolder& a, const std::string& b) { return !(a == b); }
inline bool operator!=(const SharedFolder& a, const char* b) { return !(a == b); }
inline std::ostream& operator<<(std::ostream& out, const SharedFolder& folder) { return out << folder.str(); }
