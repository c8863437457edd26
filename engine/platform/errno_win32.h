// Windows' error codes told as errno's, so the runtime names a failure's reason the same way on both
// systems (Windows only: errno_win32.cpp).
#pragma once
#ifdef _WIN32

// errno's code for a Windows error code (GetLastError); EIO for one without a match.
int errno_from_win32(unsigned long error);
// errno := the code for GetLastError().
void errno_from_last_error();
#endif
