// finder/FinderStubs.h
// Classes that stand in the finder's interfaces for other platforms and views. Nothing in the
// program creates them; they do nothing.
#pragma once
#include <string>

#include "finder/FileFinderModel.h"
#include "finder/FilesFilter.h"

class MacFileFinderModel : public IFileFinderModel
{
public:
    explicit MacFileFinderModel(IFilesFilter* filter) : m_filter(filter) {}
    void FindDuplicates(std::string, FileGroupMap*, SimilarPicturePairs*) override {}
    IFileFinderModel* SetSimilarPictures(uint32_t) override { return this; }
    virtual void ListFolder(std::string, SizeListing*) {}

protected:
    IFilesFilter* m_filter;
};

class FilterFileAnalyzer : public IFilesFilter
{
public:
    bool IsPicture(const FoundFileRecord*) override { return false; }
    virtual int Analyse(const void*, const void*) { return 0; }
};

class IUITreeViewController
{
public:
    virtual ~IUITreeViewController() {}
    virtual bool OnItemSelected(void* item) = 0;
    virtual bool OnItemChecked(void* item) = 0;
    virtual bool OnItemRemoved(void* item) = 0;
};

class UITreeCtrl : public IUITreeViewController
{
public:
    UITreeCtrl* SetView(void* view) { m_view = view; return this; }
    bool OnItemSelected(void*) override { return false; }
    bool OnItemChecked(void*) override { return false; }
    bool OnItemRemoved(void*) override { return false; }

private:
    void* m_view = nullptr;
};

class IUITreeViewObject
{
public:
    virtual ~IUITreeViewObject() {}
    virtual bool AddItem(void* item) = 0;
    virtual bool MoveItem(void* item, void* parent) = 0;
    virtual void Refresh() = 0;
    virtual void Clear() = 0;
};

class UITreeView : public IUITreeViewObject
{
public:
    bool AddItem(void*) override { return false; }
    bool MoveItem(void*, void*) override { return false; }
    void Refresh() override {}
    void Clear() override {}
    virtual UITreeView* SetController(void* controller) { m_controller = controller; return this; }

private:
    void* m_controller = nullptr;
};
