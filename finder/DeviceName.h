// finder/DeviceName.h
// Names that Windows paths take for a device, not for the file that bears them: "aux",
// "con.txt", "COM1.tar.gz" in any folder open the port or the console. Such a file is reached
// by no ordinary path.
#pragma once

// True for CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 (also with the superscript digits ¹ ² ³
// that Windows counts among them), in any case, alone or before an extension (the text from
// the first dot), with or without spaces before it. A few names more than a given system
// counts do no harm: such a file is only left unread.
bool IsDeviceName(const wchar_t* name);
