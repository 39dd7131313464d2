// What the documentation page's export header needs of the sensors and the channels: per open
// sensor its type, serial number and range texts, and the titles of the measured-value columns in
// the order the rows are written. The frame (or a test) offers it; without it the header names
// neither sensors nor columns.
#pragma once

#include <vector>

#include "pages/measurement/DocumentationTexts.h"

class IExportHeaderSource {
  public:
    virtual std::vector<documentation_texts::SensorHeaderLines> GetExportSensorLines() = 0;
    // Kind 0 measured values (first the row number title), 1 results.
    virtual std::vector<CString> GetExportColumnTitles(int kind) = 0;

  protected:
    ~IExportHeaderSource() = default;
};
