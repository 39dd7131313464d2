// The protocol's 4-byte float: IEEE-754 single precision, most significant byte first.
#pragma once

#include <cstdint>

class CFloat32 {
  public:
    CFloat32() = default;
    explicit CFloat32(float value) : m_fValue(value) {}

    // Reads the four bytes at p.
    static CFloat32 FromBytes(const uint8_t* p);
    // Writes the four bytes to p.
    void ToBytes(uint8_t* p) const;

    // Converts a double; false (and the value untouched) when it is not finite or lies beyond
    // the single-precision range, so that no field ever receives an infinity by rounding.
    bool SetValue(double value);
    float GetValue() const { return m_fValue; }
    bool IsFinite() const;

  private:
    float m_fValue = 0.0f;
};
