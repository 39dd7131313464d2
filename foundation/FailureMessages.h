// The message boxes that tell the user a folder or a file of the application could not be
// made, in the current language and with the stop icon.
#pragma once

#include <string>

#include "platform/base/CString.h"

// The folder below the local application-data folder could not be created.
void ReportFolderFailure(const CString& folder);
// The file could not be written; error is the system's reason.
void ReportFileNotWritten(const char* path, const std::string& error);
