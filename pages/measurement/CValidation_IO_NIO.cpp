#include "pages/measurement/CValidation_IO_NIO.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>

bool CValidation_IO_NIO::ParseLimit(const CString& text, double fallback, double& value) {
    std::string s(text.View());
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) {
        value = fallback;
        return true;
    }
    s = s.substr(first, s.find_last_not_of(" \t") - first + 1);
    for (char& c : s) {
        if (c == ',')
            c = '.';
    }
    const char* begin = s.data();
    if (*begin == '+')
        ++begin;
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(begin, s.data() + s.size(), parsed);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

void CValidation_IO_NIO::Evaluate(int mode, const int measurand[kCriteria],
                                  const CString limits[2 * kCriteria],
                                  const double maxima[kMeasurands]) {
    m_iMode = mode >= 0 && mode <= kCriteria ? mode : 0;
    m_bPassed = m_iMode != 0;
    for (int c = 0; c < kCriteria; ++c) {
        const int index = measurand[c];
        m_aiMeasurand[c] = index >= 0 && index < kMeasurands ? index : -1;
        m_adMaximum[c] = m_aiMeasurand[c] >= 0 ? maxima[m_aiMeasurand[c]] : kNoValue;
        double lower = -FLT_MAX;
        double upper = FLT_MAX;
        m_abLimitInvalid[2 * c] = !ParseLimit(limits[2 * c], -FLT_MAX, lower);
        m_abLimitInvalid[2 * c + 1] = !ParseLimit(limits[2 * c + 1], FLT_MAX, upper);
        m_abJudged[c] = c < m_iMode;
        if (!m_abJudged[c]) {
            m_aucResult[c] = 0;
            continue;
        }
        const double maximum = m_adMaximum[c];
        const bool pass = m_aiMeasurand[c] >= 0 && !m_abLimitInvalid[2 * c] &&
                          !m_abLimitInvalid[2 * c + 1] && maximum > kNoValue && lower <= maximum &&
                          maximum <= upper;
        m_aucResult[c] = pass ? 1 : 0;
        m_bPassed = m_bPassed && pass;
    }
}
