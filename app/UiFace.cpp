// app/UiFace.cpp
#include "app/UiFace.h"

namespace {
const char* g_uiFace = "Arial";
}

const char* UiFaceForLanguage(int languageIndex)
{
    return languageIndex == 1 ? "Meiryo UI" : "Arial";
}

void SetUiFace(const char* face)
{
    if (face)
        g_uiFace = face;
}

const char* GetUiFace()
{
    return g_uiFace;
}
