// The texts around the exported rows: automatic file names, the information header, the stop block
// and the result block. Pure text building from values the documentation page gathers; every free
// text becomes one or more fields quoted as a CSV reader expects.
#pragma once

#include <ctime>
#include <vector>

#include "pages/measurement/CValidation_IO_NIO.h"
#include "pages/measurement/DocumentationRecord.h"

namespace documentation_texts {

// "YYYY-MM-DD_HH-MM-SS" of a broken-down local time.
CString FormatFileStamp(const std::tm& local);

// dir/name, with exactly one '/' between them (none when dir is empty).
CString JoinPath(const CString& dir, const CString& name);

// The automatic names without extension (values and results) and the diagram name with ".bmp".
struct AutoFileNames {
    CString valuesIndexed, valuesConstant;
    CString resultsIndexed, resultsConstant;
    CString diagram;
};
// Directories and prefixes: [0] measured values, [1] results, [2] diagrams.
AutoFileNames MakeAutoFileNames(const CString dirs[3], const CString prefixes[3],
                                const CString& stamp, int diagramMode);
CString MakeDiagramFileName(const CString& dir, const CString& prefix, const CString& stamp,
                            int diagramMode);

// A field as a CSV reader takes it back on one line: control characters as blanks, quoted,
// inner quotes doubled, when it holds the column separator or a quote.
CString QuoteField(const CString& text, const CString& separator);
// A multi-line text as its lines (CR, LF and CR LF end a line); no trailing empty line.
std::vector<CString> SplitLines(const CString& text);

// One line of the information header per sensor.
struct SensorHeaderLines {
    CString type, serialNumber, range;
};
struct HeaderInput {
    CString headline, address, comment;
    CString dateLabel, timeLabel, startDate, startTime;
    CString typeLabel, serialLabel, rangeLabel;
    std::vector<SensorHeaderLines> sensors;
    // The last line: the column titles of the rows that follow.
    std::vector<CString> columnTitles;
};
CString BuildHeader(const DocumentationRecord& record, const HeaderInput& input);

struct StopInput {
    CString dateLabel, timeLabel, durationLabel, endLabel;
    CString stopDate, stopTime;
    double durationSeconds = 0.0;
};
// A blank line, stop date, stop time, duration in seconds (with the record's decimal separator),
// and the end-of-saving line.
CString BuildStopBlock(const DocumentationRecord& record, const StopInput& input);

struct ResultInput {
    CString titles[5];          // measurand, lower, upper, maximum, verdict
    CString measurandNames[6];  // the channels' titles
    CString limits[4];
    CString passText, failText;  // IDS_PASSED, IDS_FAILED
    CString overallLabel;
    int decimals = 3;
};
// Per judged criterion "measurand; lower; upper; maximum; verdict", then the overall verdict.
CString BuildResultBlock(const DocumentationRecord& record, const CValidation_IO_NIO& judgement,
                         const ResultInput& input);

// A number with the record's decimal separator and a fixed count of decimals.
CString FormatNumber(const DocumentationRecord& record, double value, int decimals);

}  // namespace documentation_texts
