// finder/RecoveryFilter.h
// The category filter of the disk engine's file tree: sorts file nodes into file categories
// by extension, with the extension lists read from "FileFilter.xml" beside the program.
#pragma once
#include <stdint.h>

#include <map>
#include <set>
#include <string>
#include <vector>

class CFileNode;

// Category ids of this filter (not the finder's category numbers), with the "iconIndex"
// that leads to each and the kind of file the shipped "FileFilter.xml" files under it.
enum RecoveryCategory : uint32_t {
    kRecoveryNoIndex = 2,     // has a mask bit, but no "iconIndex" leads to it
    kRecoveryPhoto = 3,       // "iconIndex" 0
    kRecoveryMusic = 4,       // 3
    kRecoveryArchive = 5,     // 4
    kRecoveryDocument = 6,    // 2
    kRecoveryVideo = 7,       // 1
    kRecoveryOther = 8,       // 5, and every file that cannot be classified
    kRecoveryOutOfRange = 9,  // any other "iconIndex"
};

// LoadFileFilterCategory results.
constexpr int kFilterFileUnreadable = -1;   // missing, unreadable or not well-formed XML
constexpr int kFilterFileWrongRoot = -2;    // no root element, or the root is not "xml"
constexpr int kFilterFileTooDeep = -3;      // nested deeper than kMaxXmlNesting: refused unparsed

uint32_t CategoryIdFromIconIndex(uint32_t iconIndex);
// The mask bit of one category id: 2 -> 0x1, 3 -> 0x2, ... 7 -> 0x20, anything else 0x40.
uint32_t CategoryMaskFromId(uint32_t id);

class IRecoveryFilter {
public:
    virtual ~IRecoveryFilter() = default;
    virtual bool IsEnabled() const = 0;
    virtual IRecoveryFilter* SetEnabled(uint32_t flag) = 0;
    virtual bool Match(const CFileNode* node) const = 0;
    virtual void Forward(uint32_t value) = 0;
    virtual uint32_t GetCategoryMask(const CFileNode* node) const = 0;
    virtual void Idle() = 0;
};

class CRecoveryFilter : public IRecoveryFilter {
public:
    // Reads "FileFilter.xml" in the program folder.
    CRecoveryFilter();
    // Reads the given file instead (tests, other tools).
    explicit CRecoveryFilter(const std::string& filterFilePath);

    bool IsEnabled() const override { return enabled_ != 0; }
    IRecoveryFilter* SetEnabled(uint32_t flag) override { enabled_ = flag; return this; }
    // True for a directory, a node without a file object, or when no category is selected;
    // else true when one of the node's categories is selected. False for a null node.
    bool Match(const CFileNode* node) const override;
    void Forward(uint32_t) override {}
    // The mask bit of the node's first category; 0x40 when it has none.
    uint32_t GetCategoryMask(const CFileNode* node) const override;
    void Idle() override {}

    // Loads every category of the file into the map (the constructor does this).
    void LoadFileFilter();
    // Loads the extensions of the first "FileCategory" whose "iconIndex" gives id. 0 on
    // success, also when no element gives id; kFilterFileUnreadable, kFilterFileWrongRoot or
    // kFilterFileTooDeep.
    int LoadFileFilterCategory(uint32_t id);
    // What the user is to be told about the file (XmlTooDeepMessage) once it was refused as
    // nested too deep; empty otherwise. The filter has no window: its owner tells it.
    const std::string& Refusal() const { return refusal_; }
    // Files every piece of a ';'-separated list under id; empty pieces are skipped.
    void AddExtensionList(const std::string& list, uint32_t id);
    // Appends the ids filed under a lower-case extension (no dot), in map order.
    void LookupExtension(const std::string& extension, std::vector<uint32_t>& ids) const;
    // The node's category ids; {8} for anything that cannot be classified.
    std::vector<uint32_t> GetFileCategories(const CFileNode* node) const;

    // Which categories Match lets through; none selected lets everything through.
    void SelectCategories(const std::set<uint32_t>& ids) { selected_ = ids; }
    const std::multimap<std::string, uint32_t>& Extensions() const { return extensions_; }

private:
    std::string path_;
    std::string refusal_;
    uint32_t enabled_ = 0;
    std::multimap<std::string, uint32_t> extensions_;
    std::set<uint32_t> selected_;
};
