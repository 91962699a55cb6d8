// tests/appperiphery/LanguageLibraryStandIn.cpp
// Stand-in for "VirEdozuvor.dll": its export "NorvantaApi" hands out an object whose fifth
// to eighth operations answer with what they were given, so that each forwarding call shows
// which slot it reached and with which arguments.
#include "app/SystemHelpers.h"

namespace {

struct Api : LanguageApi {
    int Reserved0() override { return -10; }
    int Reserved1() override { return -11; }
    int Reserved2() override { return -12; }
    int Reserved3() override { return -13; }
    int Call1() override { return 501; }
    int Call2() override { return 602; }
    int Call3(int a, int b) override { return 70000 + a * 100 + b; }
    int Call4(int a, int b, int c) override { return 800000 + a * 10000 + b * 100 + c; }
};

Api g_api;

}  // namespace

extern "C" __declspec(dllexport) LanguageApi* NorvantaApi()
{
    return &g_api;
}
