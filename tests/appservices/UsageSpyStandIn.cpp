// tests/appservices/UsageSpyStandIn.cpp
// Stand-in for "d2uzadi.dll": hands out an object laid out as MSVC lays out one with ten
// virtual functions (vtable pointer first, thiscall slots) and records which slot got what.
#include <windows.h>
#include <stdio.h>
#include <string.h>

namespace {

char g_log[4096];

void Record(const char* format, int a, int b)
{
    size_t used = strlen(g_log);
    snprintf(g_log + used, sizeof(g_log) - used, format, a, b);
}

#if defined(__i386__)
#define THISCALL __attribute__((thiscall))
#else
#define THISCALL
#endif

template <int Slot>
int THISCALL UnexpectedSlot(void*)
{
    Record("slot%d;", Slot, 0);
    return 0;
}

int THISCALL InventorySlot(void*, const void* entries, int count)
{
    Record("inventory %d first=%d;", count, entries ? *static_cast<const int*>(entries) : -1);
    return 1;
}

volatile int* volatile g_nowhere = nullptr;

// Code 0xBAD throws as an MSVC C++ exception would and 0xDEAD faults, to show that the
// caller survives both; 0xCA7 throws and catches inside the library, which the caller must
// leave alone.
int THISCALL EventSlot(void*, int code)
{
    if (code == 0xCA7) {
        try {
            throw code;
        } catch (int) {
            Record("caught inside;", 0, 0);
        }
    }
    if (code == 0xBAD)
        RaiseException(0xE06D7363, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    if (code == 0xDEAD)
        *g_nowhere = 1;
    Record("event 0x%X;", code, 0);
    return 1;
}

void* const g_vtable[10] = {
    reinterpret_cast<void*>(&UnexpectedSlot<0>), reinterpret_cast<void*>(&UnexpectedSlot<1>),
    reinterpret_cast<void*>(&UnexpectedSlot<2>), reinterpret_cast<void*>(&UnexpectedSlot<3>),
    reinterpret_cast<void*>(&UnexpectedSlot<4>), reinterpret_cast<void*>(&UnexpectedSlot<5>),
    reinterpret_cast<void*>(&UnexpectedSlot<6>), reinterpret_cast<void*>(&InventorySlot),
    reinterpret_cast<void*>(&EventSlot),         reinterpret_cast<void*>(&UnexpectedSlot<9>),
};

struct UsageObject {
    void* const* vtable;
};
UsageObject g_object = {g_vtable};

}  // namespace

extern "C" __declspec(dllexport) void* ZidAzazeZiz()
{
    Record("object;", 0, 0);
    return &g_object;
}

extern "C" __declspec(dllexport) const char* StandInLog()
{
    return g_log;
}

extern "C" __declspec(dllexport) void StandInReset()
{
    g_log[0] = '\0';
}
