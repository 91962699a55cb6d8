// app/WriteLog.h
// The trace logger. Release builds keep the calls but write nothing.
#pragma once

int WriteLog(const char* format, ...);
