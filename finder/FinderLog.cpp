// finder/FinderLog.cpp
#include "finder/FinderLog.h"

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>

#include <string>

#include "app/AppFolder.h"

int FormatString(char* buffer, size_t capacity, const char* format, ...)
{
    if (!buffer || capacity == 0 || !format)
        return -1;
    va_list args;
    va_start(args, format);
    int n = vsnprintf(buffer, capacity, format, args);
    va_end(args);
    buffer[capacity - 1] = '\0';
    return n;
}

static int FormatLogLine(char* line, size_t capacity, const char* format, va_list args)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    int head = snprintf(line, capacity, "%02d:%02d:%02d:%03d ", now.wHour, now.wMinute, now.wSecond,
                        now.wMilliseconds);
    if (head < 0)
        return 0;
    char message[2001];
    vsnprintf(message, sizeof(message), format ? format : "", args);
    snprintf(line + head, capacity - size_t(head), "%s", message);
    return int(strlen(line));
}

int WriteDuplicateLog(const char* format, ...)
{
    char line[2100];
    va_list args;
    va_start(args, format);
    int length = FormatLogLine(line, sizeof(line), format, args);
    va_end(args);
    OutputDebugStringA(line);
    static HANDLE file = INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        std::string path = std::string(GetAppFolder()) + "duplicatefile.log";
        file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file != INVALID_HANDLE_VALUE) {
        SetFilePointer(file, 0, nullptr, FILE_END);
        DWORD written = 0;
        WriteFile(file, line, DWORD(length), &written, nullptr);
    }
    return length;
}

int WriteUiLog(const char* format, ...)
{
    char line[2100];
    va_list args;
    va_start(args, format);
    int length = FormatLogLine(line, sizeof(line), format, args);
    va_end(args);
    if (IsDebuggerPresent())
        OutputDebugStringA(line);
    std::string path = std::string(GetAppFolder()) + "NorvUI.log";
    FILE* file = fopen(path.c_str(), "ab");
    if (!file)
        return length;
    fwrite(line, 1, size_t(length), file);
    fclose(file);
    return length;
}
