// The live diagram's curves: the store remade for a measurement, points added under the lock,
// curves handed to the chart without a copy and re-pointed whenever the store moves an array,
// and the read access of the CSV conversion.
#include "app/views/GraphicDisplayWnd.h"

#include <algorithm>

#include "platform/framework/MessageBox.h"

size_t CGraphicDisplayWnd::ReallocateStorage(long long points, std::span<const BYTE> inUse) {
    std::vector<StoreMessage> messages;
    size_t allocated = 0;
    {
        CSingleLock lock(&m_lock, TRUE);
        const TDataPoint* before = m_store.GetData(0);
        allocated = m_store.ReallocateMemory(points, inUse, this, messages);
        if (allocated > 0)
            m_bStorageReady = TRUE;
        if (m_store.GetData(0) != before)
            ++m_nReallocations;
    }
    // Shown only now: a message box pumps paint and timers, which must find store and chart
    // in agreement.
    for (const StoreMessage& message : messages)
        AfxMessageBox(message.text, message.type);
    return allocated;
}

int CGraphicDisplayWnd::AddPoint(int curve, double x, double y) {
    // The flow owns the refusal: no box here, which would open a modal loop inside it.
    if (!m_bStorageReady)
        return ADD_NOT_READY;
    CSingleLock lock(&m_lock, TRUE);
    return m_store.addPoint(curve, x, y, this);
}

BOOL CGraphicDisplayWnd::ResetCurve(int curve) {
    if (!m_store.resetCurve(curve))
        return FALSE;
    showCurve(curve, FALSE, FALSE, FALSE);
    return TRUE;
}

void CGraphicDisplayWnd::RepointCurve(int curve, TDataPoint* data, int count) {
    if (m_pChart == nullptr || curve < 0 || curve >= kCurves || m_apHandedOver[curve] == nullptr)
        return;
    m_pChart->SetData(data, count, curve, 0, curve, true, false, false);
    m_apHandedOver[curve] = data;
}

void CGraphicDisplayWnd::showCurve(int curve, BOOL show, BOOL axisVisible, BOOL fitRange) {
    if (m_bCurveBusy || m_pChart == nullptr)
        return;
    {
        CSingleLock lock(&m_lock, TRUE);
        m_bCurveBusy = TRUE;
        TDataPoint* data = m_store.GetData(curve);
        if (data != nullptr) {
            m_pChart->SetData(data, m_store.getCount(curve, "CGraphicDisplayWnd::showCurve"), curve,
                              0, curve, false, false, fitRange != FALSE);
            m_apHandedOver[curve] = data;
            if (curve < m_pChart->GetCurveCount()) {
                m_pChart->GetCurve(curve).SetMarker(1);
                m_pChart->GetCurve(curve).SetMarkerSize(1);
            }
            if (curve < m_pChart->GetYAxisCount())
                m_pChart->GetYAxis(curve).SetVisible(curve == 0 || axisVisible);
            if (axisVisible) {
                for (int i = 0; i < m_pChart->GetYAxisCount() && i < kCurves; ++i)
                    m_pChart->GetYAxis(i).SetPlacement(i < 8 ? 0 : 1);
            }
            m_pChart->ShowCurve(curve, show != FALSE);
        }
        m_bCurveBusy = FALSE;
    }
    UpdateXWindow(m_iXWindowMode);
}

int CGraphicDisplayWnd::GetCurvePointCount(int curve) const {
    CSingleLock lock(&m_lock, TRUE);
    return m_store.getCount(curve, "CGraphicDisplayWnd::GetCurvePointCount");
}

double CGraphicDisplayWnd::GetCurveX(int curve, int i) const {
    const TDataPoint* data = m_store.GetData(curve);
    if (data == nullptr || i < 0 || i >= m_store.getCount(curve, "GetCurveX"))
        return 0.0;
    return data[i].fXVal;
}

double CGraphicDisplayWnd::GetCurveY(int curve, int i) const {
    const TDataPoint* data = m_store.GetData(curve);
    if (data == nullptr || i < 0 || i >= m_store.getCount(curve, "GetCurveY"))
        return 0.0;
    return data[i].fYVal;
}

int CGraphicDisplayWnd::GetMaxCurvePointCount() {
    CSingleLock lock(&m_lock, TRUE);
    int most = 0;
    for (int i = 0; i < kCurves; ++i)
        most = std::max(most, m_store.getCount(i, "CGraphicDisplayWnd::GetMaxCurvePointCount"));
    return most;
}

bool CGraphicDisplayWnd::SaveBitmap(const CString& path) {
    if (m_pChart == nullptr)
        return false;
    // The chart saves what it last painted: a resize for the export must be painted first.
    if (m_pChart->GetSafeHwnd() != nullptr)
        m_pChart->UpdateWindow();
    return m_pChart->SaveBitmap(path);
}

HGLOBAL CGraphicDisplayWnd::GetWindowDIB() {
    return m_pChart != nullptr ? m_pChart->GetWindowDIB() : nullptr;
}

void CGraphicDisplayWnd::Redraw() {
    if (m_pChart == nullptr || m_pChart->GetSafeHwnd() == nullptr)
        return;
    if (m_iRedrawHeld > 0) {
        m_bRedrawDue = true;
        return;
    }
    m_pChart->Invalidate(FALSE);
    m_pChart->UpdateWindow();
}

void CGraphicDisplayWnd::ReleaseRedraw() {
    if (m_iRedrawHeld > 0 && --m_iRedrawHeld == 0 && m_bRedrawDue) {
        m_bRedrawDue = false;
        Redraw();
    }
}
