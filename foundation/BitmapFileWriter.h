// Writing a picture of the screen as a bitmap file, with the failure shown to the user. The
// environment record offers it under its own name (CEnvironment::WriteBitmapFile).
#pragma once

#include "platform/base/WinTypes.h"

class CWnd;

class BitmapFileWriter {
  public:
    // Writes a device-dependent bitmap as a bitmap file; a failure is shown and returns false.
    bool WriteBitmapFile(CWnd* window, HBITMAP bitmap, const char* path);
};
