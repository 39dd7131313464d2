// The pass/fail judgement of a finished measurement: each judged criterion compares the maximum of
// its measurand with a lower and an upper limit. Pure logic; the measurement panel owns one and
// feeds it the page's texts and the frame's maxima, so that no bad input can become a silent pass.
#pragma once

#include "platform/base/CString.h"

class CValidation_IO_NIO {
  public:
    static constexpr int kCriteria = 2;
    static constexpr int kMeasurands = 6;
    // What a channel's maximum holds before its first value.
    static constexpr double kNoValue = -1e99;

    // Judges the criteria that the mode selects (0 none, 1 criterion 1, 2 criteria 1 and 2).
    // measurand: the stored index of each criterion; limits: lower 1, upper 1, lower 2, upper 2 as
    // typed ('.' or ',' as decimal separator); maxima: the six channels' maxima.
    void Evaluate(int mode, const int measurand[kCriteria], const CString limits[2 * kCriteria],
                  const double maxima[kMeasurands]);

    // An empty text gives the fallback; a text that is not wholly a number gives false.
    static bool ParseLimit(const CString& text, double fallback, double& value);

    // Per criterion: the judged channel (0-5, -1 none), its maximum, the result byte (0 = not
    // passed) and whether the criterion was judged at all.
    int m_aiMeasurand[kCriteria] = {-1, -1};
    double m_adMaximum[kCriteria] = {kNoValue, kNoValue};
    BYTE m_aucResult[kCriteria] = {};
    bool m_abJudged[kCriteria] = {};
    // Limits whose text is not a number: the page marks them.
    bool m_abLimitInvalid[2 * kCriteria] = {};
    // The overall verdict: true only when every judged criterion passed.
    bool m_bPassed = false;
    int m_iMode = 0;
};
