// The log entry's text, built apart from the file so that its layout can be checked byte for
// byte; the file handling lives with the frame.
#include "app/flow/LogEntry.h"

#include "foundation/Environment.h"

namespace {

constexpr char kStartBanner[] =
    "#############################################################################\n\n"
    "\t*****************************\n\t* Anwendung wurde gestartet *\n"
    "\t*****************************\n\n";
constexpr char kEndBanner[] =
    "\n\t*****************************\n\t* Anwendung wurde beendet   *\n"
    "\t*****************************\n\n";

const CString& Ruler() {
    static const CString ruler = [] {
        CString text;
        for (int i = 0; i < 40; ++i) {
            CString entry;
            entry.Format("%2d|", i % 10);
            text += entry;
        }
        return text;
    }();
    return ruler;
}

CString Padded(const CString& text, int width) {
    CString padded = text;
    CEnvironment::PadWithBlanks(padded, width);
    return padded;
}

CString BlockLine(const char* kind, int index, const char* name, const CString& bytes) {
    CString head;
    head.Format("%s CHECK %d", kind, index);
    CString line = Padded(head, 20) + Padded(name != nullptr ? name : "", 30);
    if (bytes.IsEmpty())
        return line + "leer\n";
    return line + CEnvironment::DumpBytes(bytes, 0, true);
}

}  // namespace

CString BuildLogPrefix(bool emptyFile, bool sameVersion, bool firstEntryOfRun,
                       const CString& systemInfo) {
    if (emptyFile)
        return systemInfo;
    if (sameVersion || !firstEntryOfRun)
        return "\n\n";
    return "\n\n" + systemInfo;
}

CString BuildLogEntry(const LogEntryParts& parts) {
    CString entry = parts.prefix;
    if (parts.started)
        entry += kStartBanner;
    if (parts.ended)
        entry += kEndBanner;
    CString head;
    head.Format("KQ7-B Version: 2.04  %s %s   Stator Serien Nr.: %u", parts.dateText.GetString(),
                parts.timeText.GetString(), static_cast<unsigned>(parts.serial));
    entry += head;
    if (parts.eventText == nullptr)
        entry += "   \"Sensor Verbunden\"\n";
    else
        entry += CString("   \"") + parts.eventText + "\"\n";
    entry += CString('-', 69) + "\n";
    if (parts.extraText != nullptr)
        return entry + parts.extraText;
    entry += Padded("Byte-Index", 50) + Ruler() + "\n";
    for (int index = 0; index < 8; ++index) {
        const CMemoryBlockRecord* block = parts.blocks[index];
        const char* name = block != nullptr ? block->pszName : "";
        entry += BlockLine("READ ", index, name, block != nullptr ? block->strLastRead : "");
        entry += BlockLine("WRITE", index, name, block != nullptr ? block->strLastWritten : "");
        entry += "\n";
    }
    auto mark = [](BOOL on) { return on ? "X" : " "; };
    CString checks;
    checks.Format("   Checkbox:\n---------\n\t\tKanal A: %s\n\t\tKanal B: %s\n",
                  mark(parts.checkedA), mark(parts.checkedB));
    CString views;
    views.Format("Messanzeige:\n---------\n\t\tKanal A: %s\n\t\tKanal B: %s\n", mark(parts.shownA),
                 mark(parts.shownB));
    return entry + checks + views;
}
