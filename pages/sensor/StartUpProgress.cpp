#include "pages/sensor/StartUpProgress.h"

#include <algorithm>
#include <cmath>

namespace {

double EaseAboveHalf(double value) {
    value = std::clamp(value, 0.0, 100.0);
    if (value <= 50.0)
        return value;
    return 50.0 + std::sqrt(2500.0 - (100.0 - value) * (100.0 - value));
}

}  // namespace

void StartUpProgress::Start(int portCount) {
    m_iPortCount = std::max(portCount, 0);
    m_iPosition = 0;
    m_iPortCounter = 0;
    m_iSubSteps = 0;
    m_dPortStep = m_iPortCount > 0 ? 100.0 / m_iPortCount : 0.0;
    m_dSubStepWidth = m_iPortCount > 0 ? 100.0 / (kSubStepsPerPort * m_iPortCount) : 0.0;
}

void StartUpProgress::ReachPort(int port) {
    const int position = static_cast<int>((m_iPortCount - port) * m_dPortStep);
    if (position > 0)
        m_iPosition = position;
    ++m_iPortCounter;
    m_iSubSteps = 0;
}

void StartUpProgress::Advance(int kind) {
    if (kind == 0) {
        ++m_iSubSteps;
        m_iPosition = static_cast<int>(m_iPosition + m_dSubStepWidth);
    } else {
        m_iPosition = static_cast<int>(m_iPosition + m_dPortStep);
    }
}

int StartUpProgress::FinishedRowValue() const {
    return std::min(m_iPosition * m_iPortCount, 100);
}

int StartUpProgress::DisplayedValueOf(int position) {
    return static_cast<int>(EaseAboveHalf(position));
}

int StartUpProgress::RowValueOf(int subSteps, int row) {
    double value = std::clamp(subSteps * 100.0 / kSubStepsPerPort, 0.0, 100.0);
    if (value > 50.0)
        value = EaseAboveHalf(value) + 1.5 * row;
    return std::clamp(static_cast<int>(value), 0, 100);
}
