// app/UsageReport.cpp
#include "app/UsageReport.h"
#include "app/ModuleExport.h"

#include <mutex>
#include <string>

#include "app/AppFolder.h"
#include "app/UsageReportCall.h"

namespace {

// The usage object comes from a library built with MSVC: a vtable pointer first, each
// slot a thiscall function. MSVC spends one slot on a virtual destructor where GCC spends
// two, so the object is never modelled as a GCC class. 64-bit Windows has one convention.
#if defined(__i386__)
#define USAGE_THISCALL __attribute__((thiscall))
#else
#define USAGE_THISCALL
#endif
using InventorySlot = int(USAGE_THISCALL*)(void* self, const void* entries, int count);
using EventSlot = int(USAGE_THISCALL*)(void* self, int code);
constexpr int kInventorySlot = 7;   // eighth
constexpr int kEventSlot = 8;       // ninth
using GetObjectExport = void* (*)();

struct UsageCaches {
    std::string folder;             // empty: the program folder
    bool spyTried = false;
    HMODULE spy = nullptr;
    void* object = nullptr;
    HMODULE text = nullptr;
    FARPROC textExport = nullptr;
    FARPROC wideTextExport = nullptr;
};

// The disk enumeration reports from a thread of its own: one lock over the caches and the
// calls, which are short.
std::recursive_mutex& CallLock()
{
    static std::recursive_mutex lock;
    return lock;
}

UsageCaches& Caches()
{
    static UsageCaches caches;
    return caches;
}

std::string LibraryPath(const char* name)
{
    const std::string& folder = Caches().folder;
    std::string path = folder.empty() ? GetAppFolder() : folder;
    if (path.empty())
        return std::string();   // never fall back to a search by bare name
    path += name;
    return path.size() < MAX_PATH ? path : std::string();
}

void** SlotsOf(void* object)
{
    return *static_cast<void***>(object);
}

struct EventCall {
    void* object;
    int code;
};

void CallEventSlot(void* context)
{
    EventCall* call = static_cast<EventCall*>(context);
    reinterpret_cast<EventSlot>(SlotsOf(call->object)[kEventSlot])(call->object, call->code);
}

struct InventoryCall {
    void* object;
    const void* entries;
    int count;
};

void CallInventorySlot(void* context)
{
    InventoryCall* call = static_cast<InventoryCall*>(context);
    reinterpret_cast<InventorySlot>(SlotsOf(call->object)[kInventorySlot])(call->object, call->entries,
                                                                           call->count);
}

struct ObjectCall {
    GetObjectExport getObject;
    void* object;
};

void CallGetObject(void* context)
{
    ObjectCall* call = static_cast<ObjectCall*>(context);
    call->object = call->getObject();
}

struct TextCall {
    FARPROC function;
    int code;
    const void* text;
    int result;
};

void CallTextExport(void* context)
{
    TextCall* call = static_cast<TextCall*>(context);
    call->result = CallExportEitherConvention(reinterpret_cast<const void*>(call->function), call->code,
                                              call->text);
}

// "vedava.dll" with one of its exports; null while the library or export is missing.
FARPROC TextExport(bool wide)
{
    UsageCaches& caches = Caches();
    if (!caches.text) {
        std::string path = LibraryPath("vedava.dll");
        if (path.empty())
            return nullptr;
        caches.text = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (!caches.text)
            return nullptr;
    }
    FARPROC& cached = wide ? caches.wideTextExport : caches.textExport;
    if (!cached)
        cached = GetProcAddress(caches.text, wide ? "SpySetTextEx" : "SpySetTextExA");
    return cached;
}

int SendText(int code, const void* text, bool wide)
{
    std::lock_guard<std::recursive_mutex> hold(CallLock());
    FARPROC function = TextExport(wide);
    if (!function)
        return 0;
    TextCall call = {function, code, text, 0};
    return CallGuarded(&CallTextExport, &call) ? call.result : 0;
}

}  // namespace

void SetUsageLibraryFolder(const char* folder)
{
    std::lock_guard<std::recursive_mutex> hold(CallLock());
    UsageCaches& caches = Caches();
    caches = UsageCaches();
    caches.folder = folder ? folder : "";
}

HMODULE LoadUsageSpyModule()
{
    std::lock_guard<std::recursive_mutex> hold(CallLock());
    UsageCaches& caches = Caches();
    if (!caches.spyTried) {
        caches.spyTried = true;
        std::string path = LibraryPath("d2uzadi.dll");
        if (!path.empty()) {
            wchar_t wide[MAX_PATH];
            if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) > 0)
                caches.spy = LoadLibraryExW(wide, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        }
    }
    return caches.spy;
}

void* GetUsageObject()
{
    std::lock_guard<std::recursive_mutex> hold(CallLock());
    UsageCaches& caches = Caches();
    if (caches.object)
        return caches.object;
    HMODULE module = LoadUsageSpyModule();
    if (!module)
        return nullptr;
    auto getObject = ModuleExport<GetObjectExport>(module, "ZidAzazeZiz");
    if (!getObject)
        return nullptr;
    ObjectCall call = {getObject, nullptr};
    if (CallGuarded(&CallGetObject, &call))
        caches.object = call.object;
    return caches.object;
}

bool SendUsageEvent(int code)
{
    std::lock_guard<std::recursive_mutex> hold(CallLock());
    void* object = GetUsageObject();
    if (!object)
        return false;
    EventCall call = {object, code};
    return CallGuarded(&CallEventSlot, &call);
}

bool SendUsageInventory(const void* entries, int count)
{
    std::lock_guard<std::recursive_mutex> hold(CallLock());
    void* object = GetUsageObject();
    if (!object)
        return false;
    InventoryCall call = {object, entries, count};
    return CallGuarded(&CallInventorySlot, &call);
}

int SpySetText(int code, const char* text)
{
    return SendText(code, text, false);
}

int SpySetTextW(int code, const wchar_t* text)
{
    return SendText(code, text, true);
}
