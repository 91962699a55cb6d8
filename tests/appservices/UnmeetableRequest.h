// tests/appservices/UnmeetableRequest.h
// A size that the runtime's string code hands on to operator new and that cannot be met: on
// 32-bit Windows once the children have taken nearly all of the address space, on 64-bit
// Windows because it is larger than the whole user address space.
#pragma once
#include <stddef.h>

#if defined(__i386__)
constexpr size_t kUnmeetableRequest = 0x3FFFFFF0;
#else
constexpr size_t kUnmeetableRequest = size_t(1) << 50;
#endif
