// The curve store of the live diagram: up to ten growable arrays of (x, y) points that the chart
// draws in place. Whenever an array moves, the store tells its owner so that the chart is
// re-pointed before anything can paint from the old one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "chart/XGraphDataSerie.h"
#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

// The owner of the store: the chart that shows its curves.
class ICurveChartLink {
  public:
    // Curve i now lives in data with count points (the chart must draw from there from now on).
    virtual void RepointCurve(int curve, TDataPoint* data, int count) = 0;

  protected:
    ~ICurveChartLink() = default;
};

// A message for the user, shown by the owner once store and chart agree again.
struct StoreMessage {
    CString text;
    UINT type = 0;  // MB_ICONSTOP or MB_OK
};

class CDataManager {
  public:
    static constexpr int kCurves = 10;
    static constexpr int kBadCurve = -1;     // addPoint: the index is outside 0..9
    static constexpr int kOutOfMemory = -2;  // addPoint: the curve could not grow
    static constexpr int kDefaultMaxPoints = 10000;
    // Gives a zeroed array of the number of points, or null when there is no memory for it.
    using Allocator = std::function<TDataPoint*(size_t points)>;

    CDataManager();
    ~CDataManager();
    CDataManager(const CDataManager&) = delete;
    CDataManager& operator=(const CDataManager&) = delete;

    // Gives every curve a fresh zeroed array holding one point (0, 0): points per curve whose
    // in-use flag is set, 2 for the others. All new arrays are made before any old one goes;
    // without memory for them the size is halved and tried again. Returns the points per curve
    // now allocated (the unchanged size when nothing had to change), 0 when the store stayed as
    // it was. Messages for the user are appended in the order they belong.
    size_t ReallocateMemory(long long points, std::span<const BYTE> inUse, ICurveChartLink* link,
                            std::vector<StoreMessage>& messages);
    // Appends (x, y): the new number of points, kBadCurve or kOutOfMemory (nothing changed).
    int addPoint(int curve, double x, double y, ICurveChartLink* link);
    // Empties the curve; the array stays. False for a bad index.
    bool resetCurve(int curve);
    // Points of the curve (the newest point's index while m_bLastIndexMode is set); 0 for a bad
    // index or an empty curve. The label names the caller for traces.
    int getCount(int curve, const char* caller) const;
    // The smallest first x / largest newest x over the non-empty curves in use; the largest /
    // most negative double when there is none.
    double getAbsoluteXMin(const char* caller) const;
    double getAbsoluteXMax(const char* caller) const;
    // Decimal digits with the separator before every group of three counted from the right.
    static CString formatGrouped(uint64_t value, char separator);

    TDataPoint* GetData(int curve) const;
    size_t GetCapacity(int curve) const;
    size_t GetMaxPoints() const { return m_nMaxPoints; }
    int GetCountOfCurves() const { return m_nCountOfCurves; }
    bool IsCurveInUse(int curve) const;
    // The allocation seam (tests make it fail); its arrays are freed with free. Without one (the
    // default, or an empty allocator) big arrays are mapped from the system, small ones calloc'd.
    void SetAllocator(Allocator allocator) { m_allocate = std::move(allocator); }

    BOOL m_bLastIndexMode = FALSE;

  private:
    static bool IsValid(int curve) { return curve >= 0 && curve < kCurves; }
    // Makes the arrays of one pass; on failure frees what it made and names the failing curve.
    bool AllocatePass(size_t points, std::span<const BYTE> inUse, TDataPoint* (&arrays)[kCurves],
                      size_t (&capacities)[kCurves], bool (&mapped)[kCurves], int& failedCurve);
    // A zeroed array; mapped tells Release how it was made.
    TDataPoint* Allocate(size_t points, bool& mapped) const;
    static void Release(TDataPoint* data, size_t points, bool mapped);

    TDataPoint* m_pData[kCurves] = {};
    size_t m_nCount[kCurves] = {};
    size_t m_nCapacity[kCurves] = {};
    bool m_bInUse[kCurves] = {};
    bool m_bMapped[kCurves] = {};
    size_t m_nMaxPoints = kDefaultMaxPoints;
    int m_nCountOfCurves = -1;
    Allocator m_allocate;
};
