// The 32-bit pixel processors that CEnBitmap runs over its contents: the base copies, the
// rotator turns the image by whole degrees, sampling the nearest source pixel or a weighted
// (bilinear) mix of four.
#pragma once

#include "platform/base/CArray.h"
#include "platform/base/Geometry.h"
#include "platform/gfx/GdiStructs.h"

class C32BitImageProcessor {
  public:
    explicit C32BitImageProcessor(bool weighted = false) : m_bWeighted(weighted) {}
    virtual ~C32BitImageProcessor() = default;

    // The size of the output for an input of srcSize (the base keeps it).
    virtual CSize CalcDestSize(CSize srcSize);
    // Fills dst (dstWidth x dstHeight pixels, pre-filled with the background) from src; false
    // stops the chain. The base copies src, which must be as large as dst.
    virtual bool ProcessPixels(const RGBQUAD* src, int srcWidth, int srcHeight, RGBQUAD* dst,
                               int dstWidth, int dstHeight);

    // The bilinear sample at the fractional source point, neighbours clamped to the last
    // column and row.
    static RGBQUAD SampleWeighted(const RGBQUAD* src, int width, int height, double fx, double fy);

  protected:
    bool m_bWeighted;
};

using C32BitImageProcessorArray = CArray<C32BitImageProcessor*, C32BitImageProcessor*>;

class CImageRotator : public C32BitImageProcessor {
  public:
    // degrees in any range; brought into 0..359.
    CImageRotator(int degrees, bool weighted);

    CSize CalcDestSize(CSize srcSize) override;
    bool ProcessPixels(const RGBQUAD* src, int srcWidth, int srcHeight, RGBQUAD* dst, int dstWidth,
                       int dstHeight) override;

  private:
    // Right angles move every source pixel exactly once; false when they do not fit.
    bool RotateRightAngle(const RGBQUAD* src, int srcWidth, int srcHeight, RGBQUAD* dst,
                          int dstWidth, int dstHeight) const;
    void RotateSampled(const RGBQUAD* src, int srcWidth, int srcHeight, RGBQUAD* dst, int dstWidth,
                       int dstHeight) const;

    int m_nDegrees;
    double m_dRadians;
};
