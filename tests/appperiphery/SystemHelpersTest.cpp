// tests/appperiphery/SystemHelpersTest.cpp
#include <gtest/gtest.h>
#include <ole2.h>
#include <olectl.h>
#include <shlobj.h>
#include <stdio.h>

#include "app/SystemHelpers.h"
#include "app/UsageReport.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinePath.h"

namespace {

std::string Fixture(const char* name) { return FixtureDir() + "\\appperiphery\\" + name; }

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Check values of the non-reflected CRCs with initial value 0 and no final XOR.
TEST(Crc, CheckValuesTable)
{
    const char check[] = "123456789";
    EXPECT_EQ(Crc16(check, 9, 0x1021), 0x31C3);        // XMODEM
    EXPECT_EQ(Crc16(check, 9, 0x8005), 0xFEE8);        // UMTS / BUYPASS
    EXPECT_EQ(Crc32(check, 9, 0x04C11DB7), 0x89A1897Fu);
    EXPECT_EQ(Crc16(check, 0, 0x1021), 0);
    EXPECT_EQ(Crc32(nullptr, 5, 0x04C11DB7), 0u);
    uint16_t table16[256];
    Crc16BuildTable(0x1021, table16);
    EXPECT_EQ(table16[1], 0x1021);
    uint32_t table32[256];
    Crc32BuildTable(0x04C11DB7, table32);
    EXPECT_EQ(table32[1], 0x04C11DB7u);
}

TEST(TempFiles, EveryNameIsRemovedWithItsCompanions)
{
    CTempPathNameSignle& names = CTempPathNameSignle::Instance();
    std::string first = names.MakeTempPathName();
    std::string second = names.MakeTempPathName();
    ASSERT_FALSE(first.empty());
    ASSERT_NE(first, second);
    EXPECT_NE(first.find("~@!"), std::string::npos);
    ASSERT_TRUE(Exists(first));
    ASSERT_TRUE(Exists(second));
    std::string doc = first.substr(0, first.size() - 4) + ".doc";
    std::string xls = first.substr(0, first.size() - 4) + ".xls";
    ASSERT_TRUE(WriteWholeFile(doc, "d"));
    ASSERT_TRUE(WriteWholeFile(xls, "x"));
    SetFileAttributesA(doc.c_str(), FILE_ATTRIBUTE_READONLY);
    names.RemoveTempFiles();
    EXPECT_FALSE(Exists(first));
    EXPECT_FALSE(Exists(second));   // the first name made is not forgotten
    EXPECT_FALSE(Exists(doc));
    EXPECT_FALSE(Exists(xls));
}

TEST(EmbeddedJpeg, FindsTheStretchWithinTheLimitOnly)
{
    struct Case { std::vector<uint8_t> bytes; bool found; size_t offset, size; };
    const std::vector<Case> cases = {
        {{0x00, 0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xD9, 0x00}, true, 1, 6},
        {{0xFF, 0xD8, 0xFF, 0xD9}, true, 0, 4},
        {{0xFF, 0xD8, 0xFF}, false, 0, 0},                 // no end marker
        {{0xFF, 0xD8, 0x00, 0xFF, 0xD9}, false, 0, 0},     // no start marker
        {{0xFF, 0xD8, 0xFF, 0xFF}, false, 0, 0},           // a lone FF at the end
        {{}, false, 0, 0},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        size_t offset = 99, size = 99;
        bool found = FindEmbeddedJpeg(cases[i].bytes.data(), cases[i].bytes.size(), &offset, &size);
        EXPECT_EQ(found, cases[i].found) << i;
        if (found && cases[i].found) {
            EXPECT_EQ(offset, cases[i].offset) << i;
            EXPECT_EQ(size, cases[i].size) << i;
        }
    }
    std::vector<uint8_t> beyond(kJpegScanLimit + 10, 0);
    beyond[kJpegScanLimit - 2] = 0xFF; beyond[kJpegScanLimit - 1] = 0xD8; beyond[kJpegScanLimit] = 0xFF;
    beyond[kJpegScanLimit + 1] = 0xFF; beyond[kJpegScanLimit + 2] = 0xD9;
    EXPECT_FALSE(FindEmbeddedJpeg(beyond.data(), beyond.size(), nullptr, nullptr));
}

TEST(EmbeddedJpeg, LoadsPictureFromWrappedFile)
{
    IPicture* picture = LoadPictureFile(Fixture("wrapped.bin").c_str());
    ASSERT_NE(picture, nullptr);
    OLE_XSIZE_HIMETRIC width = 0;
    EXPECT_EQ(picture->get_Width(&width), S_OK);
    EXPECT_GT(width, 0);
    picture->Release();
    EXPECT_EQ(LoadPictureFile(Fixture("far.bin").c_str()), nullptr);
    EXPECT_EQ(LoadPictureFile(Fixture("cut.bin").c_str()), nullptr);
    EXPECT_EQ(LoadPictureFile(Fixture("missing.bin").c_str()), nullptr);
    TempFolder folder("jpegempty");
    ASSERT_TRUE(WriteWholeFile(folder.File("empty.bin"), ""));
    EXPECT_EQ(LoadPictureFile(folder.File("empty.bin").c_str()), nullptr);
}

TEST(EmbeddedJpeg, ExtractReplacesSourceOnlyWithAWholePicture)
{
    TempFolder folder("jpegextract");
    std::string source = folder.File("source.bin"), target = folder.File("target.jpg");
    ASSERT_TRUE(CopyFileA(Fixture("wrapped.bin").c_str(), source.c_str(), FALSE));
    std::string plain = ReadWholeFile(Fixture("plain.jpg"));
    ASSERT_FALSE(plain.empty());
    EXPECT_TRUE(ExtractEmbeddedJpeg(source.c_str(), target.c_str()));
    EXPECT_EQ(ReadWholeFile(target), plain);
    EXPECT_EQ(ReadWholeFile(source), plain);

    // Without a picture, or with a target that cannot be written, the source stays.
    std::string cut = folder.File("cut.bin");
    ASSERT_TRUE(CopyFileA(Fixture("cut.bin").c_str(), cut.c_str(), FALSE));
    std::string cutBytes = ReadWholeFile(cut);
    EXPECT_FALSE(ExtractEmbeddedJpeg(cut.c_str(), folder.File("cut.jpg").c_str()));
    EXPECT_EQ(ReadWholeFile(cut), cutBytes);
    EXPECT_FALSE(Exists(folder.File("cut.jpg")));
    ASSERT_TRUE(CopyFileA(Fixture("wrapped.bin").c_str(), source.c_str(), FALSE));
    std::string wrapped = ReadWholeFile(source);
    EXPECT_FALSE(ExtractEmbeddedJpeg(source.c_str(), folder.File("no\\such\\t.jpg").c_str()));
    EXPECT_EQ(ReadWholeFile(source), wrapped);
}

TEST(LanguageLibrary, AbsentLibraryAnswersWithItsCodes)
{
    TempFolder folder("langlib");
    LanguageLibrary library;
    EXPECT_EQ(library.Load(folder.Path().c_str()), kLanguageNoExport);
    EXPECT_FALSE(library.HasObject());
    EXPECT_EQ(library.Call1(), 0x2F01005);
    EXPECT_EQ(library.Call2(), 0x3901005);
    EXPECT_EQ(library.Call3(1, 2), 0x4301005);
    EXPECT_EQ(library.Call4(1, 2, 3), 0x4D01005);
}

TEST(LanguageLibrary, APresentLibrarysSlotsTakeTheCalls)
{
    LanguageLibrary library;
    ASSERT_EQ(library.Load((ToWinePath(LANGUAGE_STANDIN_DIR) + "\\").c_str()), 0);
    EXPECT_TRUE(library.HasObject());
    EXPECT_EQ(library.Call1(), 501);
    EXPECT_EQ(library.Call2(), 602);
    EXPECT_EQ(library.Call3(3, 4), 70304);
    EXPECT_EQ(library.Call4(5, 6, 7), 850607);
    library.Unload();
    EXPECT_FALSE(library.HasObject());
    EXPECT_EQ(library.Call1(), 0x2F01005);
}

std::string TextReportLog()
{
    HMODULE module = GetModuleHandleA("vedava.dll");
    auto log = module ? reinterpret_cast<const char* (*)()>(
                            reinterpret_cast<void*>(GetProcAddress(module, "StandInLog")))
                      : nullptr;
    return log ? log() : std::string("(not loaded)");
}

// "a.b.c.d;" once per address, each part 0..255.
bool IsAddressList(const std::string& list)
{
    size_t at = 0;
    while (at < list.size()) {
        int parts[4] = {-1, -1, -1, -1};
        int used = 0;
        if (sscanf(list.c_str() + at, "%d.%d.%d.%d;%n", &parts[0], &parts[1], &parts[2], &parts[3], &used) != 4 ||
            used == 0)
            return false;
        for (int part : parts)
            if (part < 0 || part > 255)
                return false;
        at += size_t(used);
    }
    return !list.empty();
}

TEST(SystemInfo, FoldersVersionAndMachineDescription)
{
    char path[MAX_PATH] = "x";
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_PERSONAL, path), 0);
    EXPECT_NE(path[0], 0);
    std::set<std::string> folders;
    CollectDocumentFolders(folders);
    EXPECT_EQ(folders.count(path), 1u);
    EXPECT_EQ(GetSpecialFolderPath(0x7FFF, path), 0);   // unknown id: empty, no stale text
    EXPECT_EQ(path[0], 0);

    OSVERSIONINFOA info = {sizeof info};
    GetVersionExA(&info);
    EXPECT_EQ(GetOsVersion(), info.dwMajorVersion >= 6);
    std::string os = ReportOsDescription();
    EXPECT_EQ(os.rfind("OS - ", 0), 0u) << os;
    EXPECT_NE(os.find(" (" + std::to_string(info.dwMajorVersion) + " "), std::string::npos) << os;
    std::string memory = FormatTotalMemory();
    EXPECT_GT(atoi(memory.c_str()), 0) << memory;
    EXPECT_EQ(memory.substr(memory.size() - 3), " MB");
    // The host name resolves at least to a loopback address.
    const std::string ips = FormatLocalIpList();
    EXPECT_TRUE(IsAddressList(ips)) << ips;
    EXPECT_FALSE(IsAddressList("1.2.3;"));
    EXPECT_FALSE(IsAddressList("1.2.3.256;"));

    // The description tells the usage library the user's country, in English.
    wchar_t country[128] = {};
    ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGCOUNTRY, country, 128), 0);
    char narrow[256] = {};
    WideCharToMultiByte(CP_ACP, 0, country, -1, narrow, sizeof narrow, nullptr, nullptr);
    SetUsageLibraryFolder((ToWinePath(STANDIN_DIR) + "\\").c_str());
    SpySetText(0, "");   // loads the stand-in
    const std::string before = TextReportLog();
    ReportMachineDescription();
    SetUsageLibraryFolder(nullptr);
    EXPECT_EQ(TextReportLog(), before + "wide 0x2006 " + narrow + ";");
}

}  // namespace
