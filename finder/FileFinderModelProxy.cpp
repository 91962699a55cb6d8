// finder/FileFinderModelProxy.cpp
#include "finder/FileFinderModel.h"

#include <new>

#include "finder/Win32FileFinderModel.h"

FileFinderModelProxy& FileFinderModelProxy::Instance()
{
    static FileFinderModelProxy proxy;
    return proxy;
}

void FileFinderModelProxy::FindDuplicates(std::string folder, FileGroupMap* result,
                                          SimilarPicturePairs* pairs)
{
    m_lastFolderListed = false;
    m_lastUnlistableFolders.Clear();
    m_lastUnreadableFiles.Clear();
    Win32FileFinderModel* model = new (std::nothrow) Win32FileFinderModel(m_filter, m_source);
    if (!model)
        return;
    model->FindDuplicates(folder, result, pairs);
    m_lastFolderListed = model->TopFolderListed();
    m_lastUnlistableFolders = model->UnlistablePaths();
    m_lastUnreadableFiles = model->UnreadablePaths();
    delete static_cast<IFileFinderModel*>(model);
}

SizeListing::~SizeListing()
{
    for (auto& entry : firstOfSize)
        delete entry.second;
    for (auto& entry : sameSize)
        delete entry.second;
}
