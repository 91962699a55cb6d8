// tests/program/ManifestTest.cpp
// The manifest inside the built program names its own architecture and asks for Common
// Controls of the architecture that runs it; with that manifest, this program of the same
// target gets version 6 of the Common Controls (visual styles, the full-size tool info).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <ctype.h>
#include <string.h>

#include <string>

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

WORD MachineOf(HMODULE module)
{
    // A data-file mapping has the low bits of its handle set.
    const unsigned char* base =
        reinterpret_cast<const unsigned char*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR(3));
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return nt->FileHeader.Machine;
}

// The value of attribute `name` in the first element that contains `marker`, or "" without one.
std::string AttributeOfElement(const std::string& xml, const std::string& marker, const std::string& name)
{
    const size_t at = xml.find(marker);
    if (at == std::string::npos)
        return "";
    const size_t start = xml.rfind('<', at);
    const size_t end = xml.find('>', at);
    const std::string element = xml.substr(start, end - start);
    const std::string key = name + "=\"";
    const size_t value = element.find(key);
    if (value == std::string::npos)
        return "";
    const size_t from = value + key.size();
    return element.substr(from, element.find('"', from) - from);
}

}  // namespace

TEST(ProgramManifest, NamesTheProgramsArchitectureAndCommonControlsOfAny)
{
    const std::string program = ProgramFolder() + "DuplicateFiles.exe";
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module) << program;
    // The program is of this test's target.
    EXPECT_EQ(MachineOf(GetModuleHandleA(nullptr)), MachineOf(module));
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_TRUE(found);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    ASSERT_TRUE(bytes);
    const std::string manifest(bytes, SizeofResource(module, found));
    FreeLibrary(module);

    const std::string own = sizeof(void*) == 8 ? "amd64" : "x86";
    EXPECT_EQ(own, PROGRAM_ARCHITECTURE);
    EXPECT_EQ(own, AttributeOfElement(manifest, "name=\"DuplicateFiles\"", "processorArchitecture"));
    const std::string controls =
        AttributeOfElement(manifest, "name=\"Microsoft.Windows.Common-Controls\"", "processorArchitecture");
    EXPECT_TRUE(controls == "*" || controls == own) << controls;
    EXPECT_EQ("6.0.0.0", AttributeOfElement(manifest, "name=\"Microsoft.Windows.Common-Controls\"", "version"));
}

// The dependency resolves to the version-6 assembly of this architecture, and the Common
// Controls the program loads come from it. (Wine's DLL there reports the same file version as
// its version-5 one, so the assembly is what tells them apart.)
TEST(ProgramManifest, LoadsTheCommonControlsOfVersionSixOfItsArchitecture)
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_WIN95_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&init));
    ACTCTX_SECTION_KEYED_DATA redirection;
    memset(&redirection, 0, sizeof(redirection));
    redirection.cbSize = sizeof(redirection);
    EXPECT_TRUE(FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, "comctl32.dll",
                                         &redirection));

    HMODULE controls = GetModuleHandleA("comctl32.dll");
    ASSERT_TRUE(controls);
    char path[MAX_PATH] = {};
    ASSERT_TRUE(GetModuleFileNameA(controls, path, MAX_PATH));
    std::string lower = path;
    for (char& c : lower)
        c = char(tolower(static_cast<unsigned char>(c)));
    const std::string assembly = std::string("\\winsxs\\") + PROGRAM_ARCHITECTURE +
                                 "_microsoft.windows.common-controls_6595b64144ccf1df_6.";
    EXPECT_NE(std::string::npos, lower.find(assembly)) << path;
}
