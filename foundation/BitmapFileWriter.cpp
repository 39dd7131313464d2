#include "foundation/BitmapFileWriter.h"

#include <string>

#include "foundation/FailureMessages.h"
#include "platform/gfx/BitmapFile.h"

bool BitmapFileWriter::WriteBitmapFile(CWnd* /*window*/, HBITMAP bitmap, const char* path) {
    std::string error;
    if (kq::gfx::SaveBitmapAsBmp(bitmap, path ? path : "", error))
        return true;
    ReportFileNotWritten(path, error);
    return false;
}
