// The rows of a measured-value CSV file from the diagram's curves: a row number, an optional x
// column, one field per column, each followed by its suffix; numbers exact as "%0.*f" without a
// locale, "-0.000" without its minus, an empty field past a curve's end or for a non-finite value.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pages/common/RecordedCurves.h"

struct CsvLayout {
    std::vector<int> columns;  // channel of each column, -1 an empty column
    int xChannel = -1;         // the x column takes this channel's format; -1 none
    int decimals[6] = {};
    std::string unitText[6];  // written after a value when units are shown
    std::string separator = ";";
    std::string lineEnd = "\r\n";
    bool decimalComma = true;
    int64_t rowCount = 0;
    int64_t firstRowNumber = 0;
};

// Percent done and bytes produced so far.
using CsvProgress = std::function<void(int percent, uint64_t bytes)>;

// Appends rowCount rows to out; the number of the next row. Progress only above 5000 rows,
// every round(N / 100) rows.
int64_t WriteCsvRows(const CsvLayout& layout, const IRecordedCurves& curves, std::string& out,
                     const CsvProgress& progress = {});

// A number as "%0.*f" (decimals clamped to 0..8) with the decimal point or comma; "" for a
// non-finite value; quoted when the column separator is the decimal separator.
void AppendCsvNumber(std::string& out, double value, int decimals, bool decimalComma,
                     const std::string& separator);

// A unit text fit for a row: CR and LF become blanks. The rows quote a field whole (number and
// unit, inner quotes doubled) when it holds the separator or a quote.
std::string CsvUnitText(const std::string& text);

// Row count of the body: the longest curve of the columns, limited to floor(stopCount) (0..N)
// when limited, one less when the last row is dropped (never below 0).
int64_t CsvRowCount(const CsvLayout& layout, const IRecordedCurves& curves, bool limited,
                    double stopCount, bool dropLastRow);
