// tests/finder/DeviceNameTest.cpp
// Which names Windows paths take for a device.
#include <gtest/gtest.h>

#include "finder/DeviceName.h"

namespace {

TEST(DeviceName, TakenForADevice)
{
    const struct
    {
        const wchar_t* name;
        bool device;
    } cases[] = {
        {L"aux", true},         {L"AUX", true},         {L"Con", true},          {L"nul", true},
        {L"prn.txt", true},     {L"con.txt", true},     {L"AUX.log", true},      {L"aux.tar.gz", true},
        {L"com1", true},        {L"COM9.bin", true},    {L"lpt1", true},         {L"LPT5.dat", true},
        {L"com\u00b9", true},   {L"lpt\u00b3.x", true}, {L"nul .txt", true},     {L"aux ", true},
        {L"com0", false},       {L"lpt10", false},      {L"com", false},         {L"auxiliary", false},
        {L"xaux", false},       {L"aux1", false},       {L"conx.txt", false},    {L"txt.con", false},
        {L"a.aux", false},      {L"", false},           {L".aux", false},        {L"com\u00b4", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.device, IsDeviceName(c.name)) << "\"" << testing::PrintToString(std::wstring(c.name)) << "\"";
    EXPECT_FALSE(IsDeviceName(nullptr));
}

}  // namespace
