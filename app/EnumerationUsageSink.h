// app/EnumerationUsageSink.h
// Hands what the machine-wide disk enumeration reports to the usage-report libraries: the
// disk inventory to the usage object's inventory slot, the size and partition reports as
// coded texts. The engine knows nothing of those libraries; the program connects the two.
#pragma once
#include "engine/collection/EnumerationReports.h"

class EnumerationUsageSink : public IEnumerationReportSink {
public:
    // Runs on the enumeration's thread; the usage calls lock their own caches.
    void DiskInventory(const unsigned char* entries, int count) override;
    void Text(int code, const char* text) override;
};

// The process's sink, and the language lookup that names lost regions ("LostDesc"), set on
// the enumeration before its first use. Start-up calls it once.
void ConnectEnumerationReports();
