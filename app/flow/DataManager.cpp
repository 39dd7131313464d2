// The store's arrays: lazily made by the first point, doubled when full, and remade all at once
// by ReallocateMemory, which swaps only when every new array exists, so a failure leaves store
// and chart exactly as they were.
#include "app/flow/DataManager.h"

#include <sys/mman.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/base/Exceptions.h"
#include "platform/ui/dialog/MessageBox.h"

namespace {

constexpr size_t kMaxPointsPerCurve = static_cast<size_t>(INT_MAX);
constexpr size_t kSmallestReport = 10000;  // bytes below which halving makes no sense
constexpr size_t kUnusedCurvePoints = 2;

// Arrays of this size and more are mapped from the system directly: they come as untouched zero
// pages (nothing to clear, no memory taken until a point is written there) and go back whole
// when freed. From the C library's heap they would be cleared on every start and, freed, stay
// with the process beside the new ones once its thresholds for mapping have grown.
constexpr size_t kMappedBytes = 64 * 1024;

CString MemoryExceptionText() {
    CMemoryException exception(FALSE);
    char text[256] = {};
    exception.GetErrorMessage(text, sizeof text);
    return text;
}

}  // namespace

CDataManager::CDataManager() = default;

CDataManager::~CDataManager() {
    for (int i = 0; i < kCurves; ++i)
        Release(m_pData[i], m_nCapacity[i], m_bMapped[i]);
}

TDataPoint* CDataManager::Allocate(size_t points, bool& mapped) const {
    mapped = false;
    if (m_allocate)
        return m_allocate(points);
    const size_t bytes = points * sizeof(TDataPoint);
    if (bytes < kMappedBytes)
        return static_cast<TDataPoint*>(std::calloc(points, sizeof(TDataPoint)));
    void* data = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED)
        return nullptr;
    mapped = true;
    return static_cast<TDataPoint*>(data);
}

void CDataManager::Release(TDataPoint* data, size_t points, bool mapped) {
    if (mapped)
        munmap(data, points * sizeof(TDataPoint));
    else
        std::free(data);
}

bool CDataManager::AllocatePass(size_t points, std::span<const BYTE> inUse,
                                TDataPoint* (&arrays)[kCurves], size_t (&capacities)[kCurves],
                                bool (&mapped)[kCurves], int& failedCurve) {
    for (int i = 0; i < kCurves; ++i) {
        const auto index = static_cast<size_t>(i);
        const bool used = index < inUse.size() && inUse[index] != 0;
        capacities[i] = used ? points : kUnusedCurvePoints;
        arrays[i] = Allocate(capacities[i], mapped[i]);
        if (arrays[i] == nullptr) {
            for (int k = 0; k < i; ++k)
                Release(arrays[k], capacities[k], mapped[k]);
            failedCurve = i;
            return false;
        }
    }
    return true;
}

size_t CDataManager::ReallocateMemory(long long points, std::span<const BYTE> inUse,
                                      ICurveChartLink* link, std::vector<StoreMessage>& messages) {
    const int inUseCount =
        static_cast<int>(std::count_if(inUse.begin(), inUse.end(), [](BYTE b) { return b != 0; }));
    if (inUseCount < 1 || points < 2 ||
        static_cast<unsigned long long>(points) > kMaxPointsPerCurve) {
        messages.push_back(
            {"CDataManager::ReallocateMemory( ... - wrong parameter ´nCountOfCurves´."
             "\nAction ailed.",
             MB_ICONSTOP});
        return 0;
    }
    size_t size = static_cast<size_t>(points);
    if (size == m_nMaxPoints && inUseCount == m_nCountOfCurves)
        return size;

    TDataPoint* arrays[kCurves] = {};
    size_t capacities[kCurves] = {};
    bool mapped[kCurves] = {};
    bool reduced = false;
    int failed = -1;
    while (!AllocatePass(size, inUse, arrays, capacities, mapped, failed)) {
        const size_t bytes = capacities[failed] * sizeof(TDataPoint);
        CString text;
        text.Format(
            "The Curve No. %d. Allocation for %s Bytes faled.\n(%d Curves, %s Points on each.)",
            failed + 1, formatGrouped(bytes, '.').GetString(), inUseCount,
            formatGrouped(capacities[failed], '.').GetString());
        messages.push_back({text, MB_ICONSTOP});
        messages.push_back({MemoryExceptionText(), MB_ICONSTOP});
        if (bytes < kSmallestReport) {
            messages.push_back({"Out of memory", MB_ICONSTOP});
            return 0;
        }
        size >>= 1;
        reduced = true;
    }

    for (int i = 0; i < kCurves; ++i) {
        Release(m_pData[i], m_nCapacity[i], m_bMapped[i]);
        m_pData[i] = arrays[i];
        m_nCapacity[i] = capacities[i];
        m_bMapped[i] = mapped[i];
        // The zeroed array's first point (0, 0) counts: the chart needs a non-empty curve.
        m_nCount[i] = 1;
        m_bInUse[i] = static_cast<size_t>(i) < inUse.size() && inUse[static_cast<size_t>(i)] != 0;
    }
    m_nMaxPoints = size;
    m_nCountOfCurves = inUseCount;
    if (link != nullptr) {
        for (int i = 0; i < kCurves; ++i)
            link->RepointCurve(i, m_pData[i], getCount(i, "CDataManager::ReallocateMemory"));
    }
    if (reduced) {
        CString text;
        text.Format(
            "Due to the lack of memory, the maximum number of measurements is reduced to %s.",
            formatGrouped(size, '.').GetString());
        messages.push_back({text, MB_OK});
    }
    return size;
}

int CDataManager::addPoint(int curve, double x, double y, ICurveChartLink* link) {
    if (!IsValid(curve))
        return kBadCurve;
    if (m_pData[curve] == nullptr) {
        TDataPoint* data = Allocate(m_nMaxPoints, m_bMapped[curve]);
        if (data == nullptr)
            return kOutOfMemory;
        m_pData[curve] = data;
        m_nCapacity[curve] = m_nMaxPoints;
        m_nCount[curve] = 0;
    }
    if (m_nCount[curve] >= m_nCapacity[curve]) {
        const size_t grown = std::min(m_nCapacity[curve] * 2, kMaxPointsPerCurve);
        if (grown <= m_nCount[curve])
            return kOutOfMemory;
        bool mapped = false;
        TDataPoint* data = Allocate(grown, mapped);
        if (data == nullptr)
            return kOutOfMemory;
        std::memcpy(data, m_pData[curve], m_nCount[curve] * sizeof(TDataPoint));
        Release(m_pData[curve], m_nCapacity[curve], m_bMapped[curve]);
        m_pData[curve] = data;
        m_bMapped[curve] = mapped;
        m_nCapacity[curve] = grown;
        if (link != nullptr)
            link->RepointCurve(curve, data, getCount(curve, "CDataManager::addPoint"));
    }
    m_pData[curve][m_nCount[curve]] = {x, y};
    return static_cast<int>(++m_nCount[curve]);
}

bool CDataManager::resetCurve(int curve) {
    if (!IsValid(curve))
        return false;
    m_nCount[curve] = 0;
    return true;
}

int CDataManager::getCount(int curve, const char* caller) const {
    (void)caller;
    if (!IsValid(curve) || m_nCount[curve] == 0)
        return 0;
    const int count = static_cast<int>(m_nCount[curve]);
    return m_bLastIndexMode ? count - 1 : count;
}

double CDataManager::getAbsoluteXMin(const char* caller) const {
    (void)caller;
    double least = DBL_MAX;
    for (int i = 0; i < kCurves; ++i) {
        if (m_bInUse[i] && m_pData[i] != nullptr && m_nCount[i] > 0)
            least = std::min(least, m_pData[i][0].fXVal);
    }
    return least;
}

double CDataManager::getAbsoluteXMax(const char* caller) const {
    (void)caller;
    double most = -DBL_MAX;
    for (int i = 0; i < kCurves; ++i) {
        if (m_bInUse[i] && m_pData[i] != nullptr && m_nCount[i] > 0)
            most = std::max(most, m_pData[i][m_nCount[i] - 1].fXVal);
    }
    return most;
}

CString CDataManager::formatGrouped(uint64_t value, char separator) {
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    CString text;
    for (int i = n - 1; i >= 0; --i) {
        text += digits[i];
        if (i > 0 && i % 3 == 0)
            text += separator;
    }
    return text;
}

TDataPoint* CDataManager::GetData(int curve) const {
    return IsValid(curve) ? m_pData[curve] : nullptr;
}

size_t CDataManager::GetCapacity(int curve) const {
    return IsValid(curve) ? m_nCapacity[curve] : 0;
}

bool CDataManager::IsCurveInUse(int curve) const {
    return IsValid(curve) && m_bInUse[curve];
}
