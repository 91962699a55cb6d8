// app/EnumerationUsageSink.cpp
#include "app/EnumerationUsageSink.h"

#include "app/LangString.h"
#include "app/UsageReport.h"
#include "engine/collection/EnumCollectPartitionWin32.h"

static_assert(kSizeReportCode == kUsageTextDiskModel && kPartitionReportCode == kUsageTextDiskDetails,
              "the enumeration's report codes are the usage library's text codes");

void EnumerationUsageSink::DiskInventory(const unsigned char* entries, int count)
{
    if (entries && count > 0)
        SendUsageInventory(entries, count);
}

void EnumerationUsageSink::Text(int code, const char* text)
{
    if (text)
        SpySetText(code, text);
}

void ConnectEnumerationReports()
{
    static EnumerationUsageSink sink;
    EnumCollectPartition::SetReportSink(&sink);
    EnumCollectPartition::SetStringLookup([](const char* key) { return GetLangString(key); });
}
