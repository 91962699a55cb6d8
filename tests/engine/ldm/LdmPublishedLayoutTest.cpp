// tests/engine/ldm/LdmPublishedLayoutTest.cpp
// Dynamic disks whose bytes come from the documented LDM layout (make_ldm_fixtures.py), not
// from the engine's own layout header: a wrong offset in the parser shows here.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "engine/collection/PartitionCollection.h"
#include "engine/device/MemoryDevice.h"
#include "engine/ldm/LdmDatabase.h"
#include "tests/engine/ImageFixture.h"

namespace {

std::string VolumeTag(IStorageDevice& volume, uint64_t sector)
{
    std::vector<unsigned char> buffer(512);
    if (!volume.ReadSectors(buffer.data(), sector, 1))
        return "unreadable";
    return std::string(reinterpret_cast<const char*>(buffer.data()), 11);
}

std::string Tag(uint64_t v)
{
    char text[16];
    snprintf(text, sizeof(text), "V2 %08u", unsigned(v));
    return text;
}

class PublishedLdm : public ::testing::Test {
protected:
    void SetUp() override
    {
        disk1.reset(new CMemoryDevice(FixtureImage("ldm", "dyn1.img")));
        disk2.reset(new CMemoryDevice(FixtureImage("ldm", "dyn2.img")));
        ASSERT_EQ(16384u, disk1->GetTotalSectors());
        ASSERT_EQ(16384u, disk2->GetTotalSectors());
    }
    std::unique_ptr<CMemoryDevice> disk1, disk2;
};

}  // namespace

TEST_F(PublishedLdm, PrivateHeaderFields)
{
    LdmPrivateHeader h;
    ASSERT_TRUE(LdmDatabase::FindPrivateHeader(*disk2, h));
    EXPECT_STREQ("9d1c7a01-3c1d-11ef-9a1b-0800275e1c01", h.diskId);
    EXPECT_STREQ("TESTDG0", h.diskGroupName);
    EXPECT_STREQ("4a7e9e52-3c1d-11ef-9a1b-0800275e1c01", h.diskGroupId);
    EXPECT_EQ(63u, h.dataStart);
    EXPECT_EQ(16384u - 2048 - 63, h.dataSize);
    EXPECT_EQ(16384u - 2048, h.databaseStart);
    EXPECT_EQ(2048u, h.databaseSize);
    // The copy at sector 6 alone is found too.
    CMemoryDevice only6(FixtureImage("ldm", "dyn1.img"));
    memset(only6.Bytes().data() + 16383 * 512, 0, 512);
    ASSERT_TRUE(LdmDatabase::FindPrivateHeader(only6, h));
    EXPECT_STREQ("9d1c7a00-3c1d-11ef-9a1b-0800275e1c01", h.diskId);
}

TEST_F(PublishedLdm, VolumesOfTheGroup)
{
    std::vector<DynamicVolumeEntry> out;
    LdmDatabase().Collect({disk1.get(), disk2.get()}, out);
    ASSERT_EQ(2u, out.size());
    EXPECT_STREQ("SIMPLE", out[0].typeName);
    EXPECT_STREQ("Volume1", out[0].volumeName);
    EXPECT_STREQ("TESTDG0", out[0].diskGroupName);
    EXPECT_EQ(4096u, out[0].totalSectors);
    EXPECT_EQ(0x10, out[0].volumeGuid[0]);
    EXPECT_EQ(0x1F, out[0].volumeGuid[15]);
    EXPECT_STREQ("SPANNED", out[1].typeName);
    EXPECT_EQ(6144u, out[1].totalSectors);
    IStorageDevice& spanned = *out[1].device;
    for (uint64_t v : {0ull, 1ull, 2047ull, 2048ull, 4000ull, 6143ull})
        EXPECT_EQ(Tag(v), VolumeTag(spanned, v)) << v;
    std::vector<const MemberExtent*> members;
    out[1].device->GetMembers(members);
    ASSERT_EQ(2u, members.size());
    EXPECT_EQ(63u + 4096, members[0]->start);
    EXPECT_EQ(disk1.get(), members[0]->device);
    EXPECT_EQ(63u, members[1]->start);
    EXPECT_EQ(disk2.get(), members[1]->device);
    EXPECT_EQ(2048u, members[1]->offset);
}

TEST_F(PublishedLdm, CollectionNamesTheFileSystemAsBlkidDoes)
{
    FILE* f = fopen((FixtureDir() +
#ifdef _WIN32
                     "\\ldm\\fat.expected"
#else
                     "/ldm/fat.expected"
#endif
                     ).c_str(), "r");
    ASSERT_TRUE(f);
    char type[16] = {}, label[32] = {};
    ASSERT_EQ(2, fscanf(f, "%15s %31s", type, label));
    fclose(f);
    ASSERT_STREQ("vfat", type);
    CCollectAllBasicPartitionandDynamicVolume collection;
    std::vector<PartitionEntry> out;
    collection.CollectAllBasicPartitionandDynamicVolume({CollectionDisk{disk1.get(), 0, "one"}, CollectionDisk{disk2.get(), 0, "two"}}, out);
    ASSERT_EQ(2u, out.size());  // the 0x42 table lists no basic partition
    EXPECT_EQ(uint32_t(kEntryDynamic), out[0].kind);
    EXPECT_EQ(uint32_t(kFsFat12), out[0].fileSystem);
    EXPECT_EQ(label, out[0].name);
    EXPECT_EQ("one", out[0].text);
    EXPECT_EQ("one\ntwo", out[1].text);
    EXPECT_EQ(uint32_t(kFsNone), out[1].fileSystem);
}
