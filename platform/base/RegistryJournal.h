// The journal beside the settings file: one line per completed change, appended with a single
// write so that a killed process leaves at most its last line torn. The first line names the
// file the changes apply to (its identity), so that a journal left behind by a file that has
// since been replaced is not applied to the new one.
//
//   KQ7B-JOURNAL 1 <identity>
//   V =HKEY_CURRENT_USER\Software\App =Count 4 =*%00%00%00 6c1f02aa
//
// Each change line holds: kind, path, value name, type, data and the CRC-32 of everything before
// it. Text fields start with '='; bytes below 0x21, 0x7F and '%' are written as %XX.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/RegistryChange.h"

namespace kq {

std::string JournalHeader(const std::string& fileIdentity);
std::string EncodeJournalEntry(const RegistryChange& change);

struct JournalContents {
    bool hasHeader = false;
    std::string identity;
    std::vector<RegistryChange> changes;  // of the intact lines, in order
    size_t badLines = 0;                  // torn or corrupted lines, skipped
};
JournalContents ParseJournal(std::string_view text);

}  // namespace kq
