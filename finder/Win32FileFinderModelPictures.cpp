// finder/Win32FileFinderModelPictures.cpp
// Similar-picture matching: pictures are hashed on the walking threads and compared, in the
// order they were queued, on one comparison thread against the pictures kept so far.
#include "finder/Win32FileFinderModel.h"

#include <new>

#include "app/AppFolder.h"
#include "finder/FilesFilter.h"
#include "finder/GroupKey.h"
#include "finder/ScanState.h"
#include "finder/picturehash/PictureHeader.h"

static const char kPictureLibraryName[] = "VoveRIRider.dll";

void Win32FileFinderModel::SetPictureLibrary(AHashValueFn hash, IsMaybeSimilarPicturesFn compare)
{
    m_hashValue = hash;
    m_isSimilar = compare;
}

bool Win32FileFinderModel::PicturesOn() const
{
    // Without the library (or one of its exports) pictures are keyed as ordinary files, so
    // that exact copies of pictures are still found.
    return m_filter && m_similarPictures && m_hashValue && m_isSimilar;
}

void Win32FileFinderModel::LoadPictureLibrary()
{
    if (m_hashValue || !m_similarPictures)
        return;
    const std::string folder = GetAppFolder();
    if (folder.empty())
        return;
    const std::string path = folder + kPictureLibraryName;
    // By full path only, so that no other file of that name is ever loaded.
    HMODULE library = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library)
        return;
    typedef void (*AnyFunction)();
    AHashValueFn hash = reinterpret_cast<AHashValueFn>(
        reinterpret_cast<AnyFunction>(GetProcAddress(library, "aHashValue")));
    IsMaybeSimilarPicturesFn compare = reinterpret_cast<IsMaybeSimilarPicturesFn>(
        reinterpret_cast<AnyFunction>(GetProcAddress(library, "isMaybeSimilarPictures")));
    if (!hash || !compare) {
        FreeLibrary(library);
        return;
    }
    // The library stays loaded for the rest of the process.
    m_hashValue = hash;
    m_isSimilar = compare;
}

bool Win32FileFinderModel::HashPictureFile(const std::string& path, FoundFileRecord* record, unsigned char* hash,
                                           std::string* identity)
{
    const int64_t size = record->size;
    if (size <= 0 || uint64_t(size) > m_pictureReadLimit)
        return false;
    std::unique_ptr<IReadableFile> file = m_source->OpenRead(path);
    if (!file)
        return false;
    if (!file->Identity(identity))
        identity->clear();
    uint8_t* buffer = new (std::nothrow) uint8_t[size_t(size)];
    if (!buffer)
        return false;
    bool hashed = ReadExactly(*file, 0, buffer, uint32_t(size)) &&
                  m_hashValue(buffer, uint32_t(size), hash);
    uint64_t width = 0, height = 0;
    // The size the picture declares: what auto-select keeps the largest of in a look-alike group.
    if (hashed && picturehash::ReadDeclaredPictureSize(buffer, size_t(size), &width, &height) &&
        picturehash::IsAcceptablePictureSize(width, height)) {
        record->pixelWidth = uint32_t(width);
        record->pixelHeight = uint32_t(height);
    }
    delete[] buffer;
    return hashed;
}

// True when the matcher took the picture. A picture that is too large, unreadable or not
// understood by the library is handed back and keyed as an ordinary file.
bool Win32FileFinderModel::QueuePicture(const std::string& path, FoundFileRecord* record)
{
    PictureRecord* picture = new (std::nothrow) PictureRecord;
    if (!picture)
        return false;
    std::string identity;
    if (!HashPictureFile(path, record, picture->hash, &identity)) {
        delete picture;
        return false;
    }
    picture->record = record;
    EnterCriticalSection(&m_pictureLock);
    if (!identity.empty())
        m_pictureFiles[picture] = VolumeRoot(record->folder) + identity;
    if (m_comparisonThread) {
        m_pictureQueue.push_back(picture);
        WakeConditionVariable(&m_pictureQueued);
    } else {
        ComparePicture(picture);  // no comparison thread: compare here, still one at a time
    }
    LeaveCriticalSection(&m_pictureLock);
    return true;
}

void Win32FileFinderModel::StartComparisonThread()
{
    m_noMorePictures = false;
    m_comparisonThread = CreateThread(nullptr, 0, ComparisonThreadProc, this, 0, nullptr);
}

DWORD WINAPI Win32FileFinderModel::ComparisonThreadProc(void* context)
{
    Win32FileFinderModel* model = static_cast<Win32FileFinderModel*>(context);
    if (!model)
        return 0;
    EnterCriticalSection(&model->m_pictureLock);
    for (;;) {
        while (model->m_pictureQueue.empty() && !model->m_noMorePictures)
            SleepConditionVariableCS(&model->m_pictureQueued, &model->m_pictureLock, INFINITE);
        if (model->m_pictureQueue.empty())
            break;
        PictureRecord* picture = model->m_pictureQueue.front();
        model->m_pictureQueue.pop_front();
        LeaveCriticalSection(&model->m_pictureLock);
        // Only this thread touches the kept pictures and the pairs during the search.
        if (g_scanStop)
            model->DropPicture(picture);  // a stopped scan shows no picture groups
        else
            model->ComparePicture(picture);
        EnterCriticalSection(&model->m_pictureLock);
    }
    LeaveCriticalSection(&model->m_pictureLock);
    return 1;
}

void Win32FileFinderModel::DropPicture(PictureRecord* picture)
{
    EnterCriticalSection(&m_pictureLock);
    m_pictureFiles.erase(picture);
    LeaveCriticalSection(&m_pictureLock);
    delete picture->record;  // in no container yet
    delete picture;
}

void Win32FileFinderModel::ComparePicture(PictureRecord* picture)
{
    // A file met again through a link is neither kept twice nor anyone's partner: it would
    // stand in a group beside itself.
    std::string file;
    EnterCriticalSection(&m_pictureLock);
    auto known = m_pictureFiles.find(picture);
    if (known != m_pictureFiles.end()) {
        file = known->second;
        m_pictureFiles.erase(known);
    }
    LeaveCriticalSection(&m_pictureLock);
    if (!file.empty() && !m_comparedFiles.insert(file).second) {
        DropPicture(picture);
        return;
    }
    const int p = m_percent;
    const int threshold = p >= 90 ? 4 : p >= 80 ? 5 : p >= 60 ? 6 : 12;
    for (PictureRecord* kept : m_keptPictures) {
        if (!kept)
            continue;
        int result = 0;
        if (!m_isSimilar(picture->hash, kept->hash, &result, threshold))
            continue;
        ++g_duplicatesFound;
        if (m_pairs)
            m_pairs->emplace(kept->record, picture->record);
        else
            delete picture->record;
        delete picture;
        return;
    }
    m_keptPictures.push_back(picture);
}

void Win32FileFinderModel::FinishPictures()
{
    if (m_comparisonThread) {
        EnterCriticalSection(&m_pictureLock);
        m_noMorePictures = true;
        WakeAllConditionVariable(&m_pictureQueued);
        LeaveCriticalSection(&m_pictureLock);
        WaitForSingleObject(m_comparisonThread, INFINITE);
        CloseHandle(m_comparisonThread);
        m_comparisonThread = nullptr;
    }
    // A kept picture that no later one matched stands in no container: free its record too.
    for (PictureRecord* kept : m_keptPictures) {
        if (!m_pairs || m_pairs->find(kept->record) == m_pairs->end())
            delete kept->record;
        delete kept;
    }
    m_keptPictures.clear();
}
