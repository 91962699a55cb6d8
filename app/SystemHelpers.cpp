// app/SystemHelpers.cpp
#include <winsock2.h>
#include "app/ModuleExport.h"
#include "app/SystemHelpers.h"

#include <ole2.h>
#include <olectl.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include "app/AppFolder.h"
#include "app/UsageReport.h"

int GetSpecialFolderPath(int csidl, char* buffer)
{
    if (!buffer)
        return 0;
    buffer[0] = 0;
    if (!SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE))
        buffer[0] = 0;
    return 0;
}

int CollectDocumentFolders(std::set<std::string>& folders)
{
    char path[MAX_PATH];
    GetSpecialFolderPath(CSIDL_PERSONAL, path);
    if (path[0])
        folders.insert(path);
    return 0;
}

bool GetOsVersion()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return false;
    return info.dwMajorVersion >= 6;
}

// ---- temporary files

CTempPathNameSignle& CTempPathNameSignle::Instance()
{
    static CTempPathNameSignle names;
    return names;
}

CTempPathNameSignle::~CTempPathNameSignle() { RemoveTempFiles(); }

std::string CTempPathNameSignle::MakeTempPathName()
{
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    while (length > 1 && (folder[length - 1] == '\\' || folder[length - 1] == '/'))
        folder[--length] = 0;
    char name[MAX_PATH];
    if (!GetTempFileNameA(folder, "~@!", 0, name))
        return std::string();
    // Every name is kept: a second call must not orphan the first file.
    m_names.push_back(name);
    return name;
}

static void RemoveFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

static bool ReplaceSuffix(std::string& path, const char* from, const char* to)
{
    size_t at = path.rfind(from);
    if (at == std::string::npos || at + strlen(from) != path.size())
        return false;
    path.replace(at, strlen(from), to);
    return true;
}

void CTempPathNameSignle::RemoveTempFiles()
{
    for (std::string path : m_names) {
        RemoveFile(path);
        // Companions exist only for a name that ends in ".tmp"; anything else is not ours.
        if (ReplaceSuffix(path, ".tmp", ".doc")) {
            RemoveFile(path);
            ReplaceSuffix(path, ".doc", ".xls");
            RemoveFile(path);
        }
    }
    m_names.clear();
}

// ---- CRCs

void Crc16BuildTable(uint16_t polynomial, uint16_t table[256])
{
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t value = static_cast<uint16_t>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 0x8000) ? static_cast<uint16_t>((value << 1) ^ polynomial)
                                     : static_cast<uint16_t>(value << 1);
        table[i] = value;
    }
}

uint16_t Crc16(const void* bytes, size_t length, uint16_t polynomial)
{
    uint16_t table[256];
    Crc16BuildTable(polynomial, table);
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    uint16_t crc = 0;
    for (size_t i = 0; p && i < length; ++i)
        crc = static_cast<uint16_t>((crc << 8) ^ table[((crc >> 8) ^ p[i]) & 0xFF]);
    return crc;
}

void Crc32BuildTable(uint32_t polynomial, uint32_t table[256])
{
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t value = i << 24;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 0x80000000u) ? (value << 1) ^ polynomial : value << 1;
        table[i] = value;
    }
}

uint32_t Crc32(const void* bytes, size_t length, uint32_t polynomial)
{
    uint32_t table[256];
    Crc32BuildTable(polynomial, table);
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    uint32_t crc = 0;
    for (size_t i = 0; p && i < length; ++i)
        crc = (crc << 8) ^ table[((crc >> 24) ^ p[i]) & 0xFF];
    return crc;
}

// ---- language library

int LanguageLibrary::Load(const char* folder)
{
    Unload();
    std::string path = folder ? std::string(folder) : std::string(GetAppFolder());
    if (path.empty())
        return kLanguageNoExport;   // never a bare name: that would search the system path
    path += "VirEdozuvor.dll";
    m_module = LoadLibraryA(path.c_str());
    if (!m_module)
        return kLanguageNoExport;
    typedef LanguageApi* (*ApiExport)();
    ApiExport api = ModuleExport<ApiExport>(m_module, "NorvantaApi");
    m_api = api ? api() : nullptr;
    return m_api ? 0 : kLanguageNoExport;
}

void LanguageLibrary::Unload()
{
    m_api = nullptr;
    if (m_module)
        FreeLibrary(m_module);
    m_module = nullptr;
}

// ---- embedded JPEG pictures

bool FindEmbeddedJpeg(const uint8_t* bytes, size_t length, size_t* offset, size_t* size)
{
    if (!bytes)
        return false;
    size_t limit = length < kJpegScanLimit ? length : kJpegScanLimit;
    size_t start = 0;
    for (; start + 3 <= limit; ++start)
        if (bytes[start] == 0xFF && bytes[start + 1] == 0xD8 && bytes[start + 2] == 0xFF)
            break;
    if (start + 3 > limit)
        return false;
    for (size_t end = start + 2; end + 2 <= limit; ++end) {
        if (bytes[end] == 0xFF && bytes[end + 1] == 0xD9) {
            if (offset)
                *offset = start;
            if (size)
                *size = end + 2 - start;
            return true;
        }
    }
    return false;
}

// The file's JPEG stretch; empty when the file cannot be read or holds none.
static std::vector<uint8_t> ReadEmbeddedJpeg(const char* path)
{
    std::vector<uint8_t> jpeg;
    if (!path)
        return jpeg;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return jpeg;
    LARGE_INTEGER fileSize = {};
    HANDLE mapping = nullptr;
    if (GetFileSizeEx(file, &fileSize) && fileSize.QuadPart > 0)
        mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping) {
        // Only what the search may look at is mapped, and never past the file's end.
        size_t length = fileSize.QuadPart < static_cast<LONGLONG>(kJpegScanLimit)
                            ? static_cast<size_t>(fileSize.QuadPart) : kJpegScanLimit;
        const uint8_t* view =
            static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, length));
        size_t offset = 0, size = 0;
        if (view && FindEmbeddedJpeg(view, length, &offset, &size))
            jpeg.assign(view + offset, view + offset + size);
        if (view)
            UnmapViewOfFile(view);
        CloseHandle(mapping);
    }
    CloseHandle(file);
    return jpeg;
}

IPicture* LoadPictureFile(const char* path)
{
    std::vector<uint8_t> jpeg = ReadEmbeddedJpeg(path);
    if (jpeg.empty())
        return nullptr;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, jpeg.size());
    if (!memory)
        return nullptr;
    void* data = GlobalLock(memory);
    if (!data) {
        GlobalFree(memory);
        return nullptr;
    }
    memcpy(data, jpeg.data(), jpeg.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream, static_cast<LONG>(jpeg.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture))))
        picture = nullptr;
    stream->Release();
    return picture;
}

BOOL ExtractEmbeddedJpeg(const char* source, const char* target)
{
    if (!source || !target)
        return FALSE;
    std::vector<uint8_t> jpeg = ReadEmbeddedJpeg(source);
    if (jpeg.empty())
        return FALSE;   // the source stays as it is
    FILE* out = fopen(target, "wb");
    if (!out)
        return FALSE;
    bool written = fwrite(jpeg.data(), 1, jpeg.size(), out) == jpeg.size();
    written = (fclose(out) == 0) && written;
    // A short write must never replace the source.
    if (!written)
        return FALSE;
    return CopyFileA(target, source, FALSE);
}

// ---- machine description

static std::string Format(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string ReportOsDescription()
{
    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);   // 156
    BOOL extended = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
    if (!extended) {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);   // 148
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
            return std::string();
    }
    SYSTEM_INFO system = {};
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        typedef void(WINAPI * NativeInfo)(SYSTEM_INFO*);
        NativeInfo native = ModuleExport<NativeInfo>(GetModuleHandleA("kernel32.dll"), "GetNativeSystemInfo");
        if (native)
            native(&system);
        else
            GetSystemInfo(&system);
    }
    const WORD arch = system.wProcessorArchitecture;
    const bool workstation = info.wProductType == VER_NT_WORKSTATION;
    const WORD suite = info.wSuiteMask;
    std::string product, edition, words;
    const DWORD major = info.dwMajorVersion, minor = info.dwMinorVersion;
    if (major == 6 && minor == 0) {
        product = workstation ? "Microsoft Windows Vista" : "Microsoft Windows Server 2008";
        if (arch == PROCESSOR_ARCHITECTURE_AMD64)
            words = "64-bit";
        else if (arch == PROCESSOR_ARCHITECTURE_INTEL)
            words = "32-bit";
    } else if (major == 5 && minor == 2) {
        if (GetSystemMetrics(SM_SERVERR2))
            product = "Microsoft Windows Server 2003 R2";
        else if (suite & 0x2000)
            product = "Microsoft Windows Storage Server 2003";
        else if (workstation && arch == PROCESSOR_ARCHITECTURE_AMD64)
            product = "Microsoft Windows XP", edition = "Professional";
        else
            product = "Microsoft Windows Server 2003";
        if (!workstation) {
            if (arch == PROCESSOR_ARCHITECTURE_IA64)
                words = "for Itanium-based Systems";
            else if (arch == PROCESSOR_ARCHITECTURE_AMD64)
                words = "x64 Edition";
            if (suite & VER_SUITE_COMPUTE_SERVER)
                edition = "Compute Cluster Edition";
            else if (suite & VER_SUITE_DATACENTER)
                edition = "Datacenter Edition";
            else if (suite & VER_SUITE_ENTERPRISE)
                edition = "Enterprise Edition";
            else if (suite & VER_SUITE_BLADE)
                edition = "Web Edition";
            else
                edition = "Standard Edition";
        }
    } else if (major == 5 && minor == 1) {
        product = "Microsoft Windows XP";
        edition = (suite & VER_SUITE_PERSONAL) ? "Home Edition" : "Professional";
    } else if (major == 5 && minor == 0) {
        product = "Microsoft Windows 2000";
        if (workstation)
            edition = "Professional";
        else if (suite & VER_SUITE_DATACENTER)
            edition = "Datacenter Server";
        else if (suite & VER_SUITE_ENTERPRISE)
            edition = "Advanced Server";
        else
            edition = "Server";
    } else if (major == 4) {
        product = "Microsoft Windows NT";
        if (workstation)
            edition = "WorkStation 4.0";
        else if (suite & VER_SUITE_ENTERPRISE)
            edition = "Server 4.0, Enterprise Edition ";
        else
            edition = "Server 4.0 ";
    } else {
        product = Format("%d", static_cast<int>(major));
    }
    std::string text = Format("OS - %s %s %s %s (%d %d %d %d)", product.c_str(), edition.c_str(),
                              words.c_str(), info.szCSDVersion, static_cast<int>(major),
                              static_cast<int>(minor), static_cast<int>(info.wProductType),
                              static_cast<int>(suite));
    wchar_t country[128] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGCOUNTRY, country, 128) > 0)
        SpySetTextW(kUsageTextCountry, country);
    return text;
}

std::string FormatTotalMemory()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return std::string();
    return Format("%I64d MB", static_cast<long long>(status.ullTotalPhys / 1048576));
}

std::string FormatLocalIpList()
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return std::string();
    std::string list;
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        hostent* entry = gethostbyname(host);
        if (entry && entry->h_addrtype == AF_INET && entry->h_length == 4) {
            for (char** address = entry->h_addr_list; *address; ++address) {
                const uint8_t* b = reinterpret_cast<const uint8_t*>(*address);
                list += Format("%d.%d.%d.%d;", b[0], b[1], b[2], b[3]);
            }
        }
    }
    WSACleanup();
    return list;
}

void ReportSpySystemInfo()
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);   // read only: nothing is sent
}

void ReportMachineDescription()
{
    ReportOsDescription();
    FormatTotalMemory();
    ReportSpySystemInfo();
    FormatLocalIpList();
}
