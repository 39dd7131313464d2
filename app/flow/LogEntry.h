// One entry of a sensor's service log: the prefix, the start and end banners, the head line with
// the event, then an extra text, or the dump of the eight memory blocks and the check states.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"
#include "sensor/CTarvik_Send.h"

struct LogEntryParts {
    CString prefix;  // system information and separating lines, as the file needs
    BOOL started = FALSE;
    BOOL ended = FALSE;
    CString dateText;
    CString timeText;
    DWORD serial = 0;
    const char* eventText = nullptr;
    const char* extraText = nullptr;
    const CMemoryBlockRecord* blocks[8] = {};
    BOOL checkedA = FALSE, checkedB = FALSE;  // the measure configuration's channel check boxes
    BOOL shownA = FALSE, shownB = FALSE;      // the channel views of A and B
};

CString BuildLogEntry(const LogEntryParts& parts);

// The prefix before an entry: the system information in a new or emptied file; else "\n\n",
// followed by the system information for the run's first entry unless the version is the same.
CString BuildLogPrefix(bool emptyFile, bool sameVersion, bool firstEntryOfRun,
                       const CString& systemInfo);
