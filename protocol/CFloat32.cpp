#include "protocol/CFloat32.h"

#include <bit>
#include <cmath>
#include <limits>

#include "protocol/BigEndian.h"

CFloat32 CFloat32::FromBytes(const uint8_t* p) {
    return CFloat32(std::bit_cast<float>(tarvik::GetU32(p)));
}

void CFloat32::ToBytes(uint8_t* p) const {
    tarvik::PutU32(p, std::bit_cast<uint32_t>(m_fValue));
}

bool CFloat32::SetValue(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return false;
    }
    m_fValue = static_cast<float>(value);
    return true;
}

bool CFloat32::IsFinite() const {
    return std::isfinite(m_fValue);
}
