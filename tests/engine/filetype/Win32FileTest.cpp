// tests/engine/filetype/Win32FileTest.cpp
// The file wrapper's open modes, line reading and CR LF line writing, on real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/filetype/Win32File.h"

namespace {

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

std::string Contents(const std::string& path)
{
    Win32File file(path.c_str(), Win32File::kRead);
    std::string text(4096, 0);
    text.resize(file.Read(&text[0], 4096));
    return text;
}

}  // namespace

TEST(Win32File, ModesCreateAndRefuse)
{
    std::string path = TempPath("win32file_modes.bin");
    DeleteFileA(path.c_str());
    Win32File file;
    EXPECT_FALSE(file.Open(path.c_str(), Win32File::kRead));   // missing
    EXPECT_FALSE(file.Open(path.c_str(), Win32File::kWrite));
    EXPECT_FALSE(file.Open(path.c_str(), Win32File::kReadWrite));
    EXPECT_FALSE(file.Open(path.c_str(), 5));
    EXPECT_FALSE(file.IsOpen());
    uint64_t size = 1;
    EXPECT_FALSE(file.GetSize(&size));
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_EQ(~uint64_t(0), file.GetPosition());

    ASSERT_TRUE(file.Open(path.c_str(), Win32File::kOpenAlways));  // creates it
    ASSERT_TRUE(file.Write("hello", 5));
    EXPECT_EQ(5u, file.GetPosition());
    ASSERT_TRUE(file.Open(path.c_str(), Win32File::kOpenAlways));  // keeps the bytes
    ASSERT_TRUE(file.GetSize(&size));
    EXPECT_EQ(5u, size);
    ASSERT_TRUE(file.Seek(3));
    char two[3] = {0};
    EXPECT_EQ(2u, file.Read(two, 2));
    EXPECT_STREQ("lo", two);
    ASSERT_TRUE(file.Rewind());
    EXPECT_EQ(0u, file.GetPosition());
    ASSERT_TRUE(file.SeekToEnd());
    EXPECT_EQ(5u, file.GetPosition());
    EXPECT_TRUE(file.Flush());
    ASSERT_TRUE(file.Open(path.c_str(), Win32File::kCreate));  // empties it
    ASSERT_TRUE(file.GetSize(&size));
    EXPECT_EQ(0u, size);
    file.Close();
    EXPECT_FALSE(file.Close());
    DeleteFileA(path.c_str());
}

TEST(Win32File, LinesEndInCrLf)
{
    std::string path = TempPath("win32file_lines.txt");
    {
        Win32File file(path.c_str(), Win32File::kCreate);
        ASSERT_TRUE(file.IsOpen());
        EXPECT_TRUE(file.WriteLine("abc", 3));
        EXPECT_TRUE(file.WriteLine("de\r\n", 4));
        EXPECT_TRUE(file.WriteLine("", 0));
        EXPECT_TRUE(file.WriteLine("\n", 1));  // a lone LF still gets CR LF after it
    }
    EXPECT_EQ(std::string("abc\r\nde\r\n\n\r\n"), Contents(path));

    Win32File file(path.c_str(), Win32File::kRead);
    char line[16];
    EXPECT_EQ(5u, file.ReadLine(line, 15));
    EXPECT_STREQ("abc\r\n", line);
    EXPECT_EQ(2u, file.ReadLine(line, 2));  // stops at the maximum
    EXPECT_STREQ("de", line);
    EXPECT_EQ(0u, file.ReadLine(line, 0));
    file.Close();
    DeleteFileA(path.c_str());
}

TEST(Win32File, LineWithoutNewlineAndEnd)
{
    std::string path = TempPath("win32file_short.txt");
    {
        Win32File file(path.c_str(), Win32File::kCreate);
        ASSERT_TRUE(file.Write("xy", 2));
    }
    Win32File file(path.c_str(), Win32File::kRead);
    char line[8] = "#######";
    EXPECT_EQ(2u, file.ReadLine(line, 7));
    EXPECT_STREQ("xy", line);
    memcpy(line, "keep", 5);
    EXPECT_EQ(0u, file.ReadLine(line, 7));
    EXPECT_STREQ("keep", line);  // untouched at the end
    file.Close();
    DeleteFileA(path.c_str());
}
