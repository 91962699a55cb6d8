// app/ProgramAllocator.h
// The program-wide operator new / operator delete. Every allocation of the program goes
// through them; when memory runs out the throwing forms raise the structured exception
// kOutOfMemoryCode (non-continuable) instead of throwing, so the crash handler can tell the
// user and leave a dump. The nothrow forms return null, as callers that check rely on.
#pragma once
#include <stddef.h>

constexpr unsigned long kOutOfMemoryCode = 0xE0000001;
// Flags the exception is raised with; the low bit marks it non-continuable.
constexpr unsigned long kOutOfMemoryFlags = 0xC0000025;

// malloc, raising kOutOfMemoryCode instead of returning null.
void* AllocOrRaise(size_t size);

// The linker takes an object out of a static library only when something refers to it.
// The app library makes every program that links it ask for this symbol, so the
// replacement operators win over the runtime's whichever code allocates first.
extern "C" int ProgramAllocatorAnchor;
