#include "pages/measurement/DocumentationTexts.h"

#include <cstdio>

namespace documentation_texts {

namespace {

void AppendLine(CString& out, const DocumentationRecord& record,
                const std::vector<CString>& fields) {
    const CString separator = record.ColumnSeparatorText();
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += separator;
        out += QuoteField(fields[i], separator);
    }
    out += record.LineEndText();
}

}  // namespace

CString FormatFileStamp(const std::tm& local) {
    char text[80];  // room for any int the fields may hold, so the stamp is never cut
    std::snprintf(text, sizeof(text), "%04d-%02d-%02d_%02d-%02d-%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

CString JoinPath(const CString& dir, const CString& name) {
    if (dir.IsEmpty())
        return name;
    CString path = dir;
    while (path.GetLength() > 1 && path.Right(1) == "/")
        path = path.Left(path.GetLength() - 1);
    if (path != "/")
        path += '/';
    return path + name;
}

CString MakeDiagramFileName(const CString& dir, const CString& prefix, const CString& stamp,
                            int diagramMode) {
    CString name = prefix;
    if (diagramMode == DocumentationRecord::kIndexedName)
        name += "_" + stamp;
    return JoinPath(dir, name + ".bmp");
}

AutoFileNames MakeAutoFileNames(const CString dirs[3], const CString prefixes[3],
                                const CString& stamp, int diagramMode) {
    AutoFileNames names;
    names.valuesIndexed = JoinPath(dirs[0], prefixes[0] + "_" + stamp);
    names.valuesConstant = JoinPath(dirs[0], prefixes[0]);
    names.resultsIndexed = JoinPath(dirs[1], prefixes[1] + "_" + stamp);
    names.resultsConstant = JoinPath(dirs[1], prefixes[1]);
    names.diagram = MakeDiagramFileName(dirs[2], prefixes[2], stamp, diagramMode);
    return names;
}

CString QuoteField(const CString& text, const CString& separator) {
    // A control character would break the row (CR, LF) or reach the reader raw: each becomes a
    // blank, so that every row of the file stays one line.
    CString field = text;
    for (char& c : field.Str()) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    const bool needsQuotes =
        (!separator.IsEmpty() && field.Find(separator) >= 0) || field.Find('"') >= 0;
    if (!needsQuotes)
        return field;
    field.Replace("\"", "\"\"");
    return "\"" + field + "\"";
}

std::vector<CString> SplitLines(const CString& text) {
    std::vector<CString> lines;
    CString current;
    const std::string& s = text.Str();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            lines.push_back(current);
            current.Empty();
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
        } else {
            current += s[i];
        }
    }
    if (!current.IsEmpty())
        lines.push_back(current);
    return lines;
}

CString FormatNumber(const DocumentationRecord& record, double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", decimals < 0 ? 0 : decimals, value);
    CString number = text;
    number.Replace('.', record.DecimalSeparatorChar());
    return number;
}

CString BuildHeader(const DocumentationRecord& record, const HeaderInput& input) {
    CString out;
    if (!input.headline.IsEmpty()) {
        for (const CString& line : SplitLines(input.headline))
            AppendLine(out, record, {line});
    }
    for (const CString& line : SplitLines(input.address))
        AppendLine(out, record, {line});
    for (const CString& line : SplitLines(input.comment))
        AppendLine(out, record, {line});
    AppendLine(out, record, {input.dateLabel, input.startDate});
    AppendLine(out, record, {input.timeLabel, input.startTime});
    for (const SensorHeaderLines& sensor : input.sensors) {
        AppendLine(out, record, {input.typeLabel, sensor.type});
        AppendLine(out, record, {input.serialLabel, sensor.serialNumber});
        AppendLine(out, record, {input.rangeLabel, sensor.range});
    }
    if (!input.columnTitles.empty())
        AppendLine(out, record, input.columnTitles);
    return out;
}

CString BuildStopBlock(const DocumentationRecord& record, const StopInput& input) {
    CString out = record.LineEndText();
    AppendLine(out, record, {input.dateLabel, input.stopDate});
    AppendLine(out, record, {input.timeLabel, input.stopTime});
    AppendLine(out, record, {input.durationLabel, FormatNumber(record, input.durationSeconds, 3)});
    AppendLine(out, record, {input.endLabel});
    return out;
}

CString BuildResultBlock(const DocumentationRecord& record, const CValidation_IO_NIO& judgement,
                         const ResultInput& input) {
    CString out;
    AppendLine(
        out, record,
        {input.titles[0], input.titles[1], input.titles[2], input.titles[3], input.titles[4]});
    for (int c = 0; c < CValidation_IO_NIO::kCriteria; ++c) {
        if (!judgement.m_abJudged[c])
            continue;
        const int index = judgement.m_aiMeasurand[c];
        const CString name = index >= 0 ? input.measurandNames[index] : CString("---");
        const double maximum = judgement.m_adMaximum[c];
        const CString maximumText = maximum > CValidation_IO_NIO::kNoValue
                                        ? FormatNumber(record, maximum, input.decimals)
                                        : CString("---");
        CString lower = input.limits[2 * c];
        CString upper = input.limits[2 * c + 1];
        AppendLine(out, record,
                   {name, lower, upper, maximumText,
                    judgement.m_aucResult[c] != 0 ? input.passText : input.failText});
    }
    AppendLine(out, record,
               {input.overallLabel, judgement.m_bPassed ? input.passText : input.failText});
    return out;
}

}  // namespace documentation_texts
