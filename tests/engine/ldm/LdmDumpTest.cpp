// tests/engine/ldm/LdmDumpTest.cpp
// The database's debug dump beside the program: created anew, appended to, readable while open.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "engine/ldm/LdmDatabase.h"
#include "tests/support/FileBytes.h"

namespace {
std::string DumpPath()
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof(module));
    std::string path(module);
    return path.substr(0, path.find_last_of('\\') + 1) + "LDMDataBase";
}
}  // namespace

TEST(LdmDump, CreatedAnewBesideTheProgramAndAppended)
{
    LdmDatabase db;
    EXPECT_EQ(0, db.AppendToDump("x", 1));  // nothing open yet
    ASSERT_EQ(1, db.DumpToFile());
    EXPECT_EQ(1, db.AppendToDump("PRIVHEAD", 8));
    EXPECT_EQ(1, db.AppendToDump("VBLK", 4));
    const std::vector<unsigned char> written = ReadFileBytes(DumpPath());
    EXPECT_EQ("PRIVHEADVBLK", std::string(written.begin(), written.end()));
    // A second dump starts from an empty file.
    ASSERT_EQ(1, db.DumpToFile());
    EXPECT_TRUE(ReadFileBytes(DumpPath()).empty());
    EXPECT_EQ(1, db.AppendToDump("TOCBLOCK", 8));
    EXPECT_EQ(8u, ReadFileBytes(DumpPath()).size());
}
