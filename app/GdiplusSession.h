// app/GdiplusSession.h
// GDI+ is started once for the whole process, by whoever needs it first.
#pragma once

// Starts GDI+ on the first call; true while it is usable. It is never shut down: images held
// by other process-wide objects may be released after any shutdown would have run.
bool EnsureGdiplus();
