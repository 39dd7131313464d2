// The value formatter of a channel: a number text with its unit, in the unit that suits its size
// best, or as a sensor's range. Every channel view carries one; the other users reach it through
// a view. The channel records come from the main frame.
#pragma once

#include "pages/common/ChannelUnitSource.h"
#include "pages/common/ValueFormat.h"
#include "sensor/CTarvik_Send.h"

class CWnd;

class CDisplayHelper : public CTarvik_Send {
  public:
    // Modes of FormatValue.
    static constexpr int MODE_APPEND_UNIT = 0;  // finished number text + the channel's unit
    static constexpr int MODE_BEST_UNIT = 1;    // the quantity's best unit
    static constexpr int MODE_RANGE = 2;        // as best unit; temperatures give the range text

    CDisplayHelper() = default;
    ~CDisplayHelper() override = default;

    // The window whose channel records are read (the application's main window).
    void SetMainFrame(CWnd* mainFrame);
    const IChannelUnitSource* GetChannelUnits() const { return m_pChannelUnits; }
    // For callers and tests that hold the records apart from a window.
    void SetChannelUnits(const IChannelUnitSource* units) { m_pChannelUnits = units; }

    // The display text of the number text for channel record 0..5. A unit letter other than 0
    // replaces the record's letter. Absent outputs (null) are not written. The quantities'
    // formatters are the rows of one table each (FormatQuantityValue).
    CString FormatValue(int channel, const CString& text, char unitLetter, int mode,
                        CString* numberText = nullptr, CString* unitText = nullptr,
                        int* unitId = nullptr, int* unitIndex = nullptr, int* decimals = nullptr,
                        double* factor = nullptr) const;

  private:
    CString AppendChannelUnit(int channel, const CString& text) const;

    const IChannelUnitSource* m_pChannelUnits = nullptr;
};
