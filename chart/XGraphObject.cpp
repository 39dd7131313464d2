// The base record and the tracking flags that the chart window drives for every object.
#include "chart/XGraphObject.h"

IMPLEMENT_SERIAL(CXGraphObject, CObject, 1)

CXGraphObject::CXGraphObject(const CXGraphObject& other) : CObject() {
    *this = other;
}

CXGraphObject& CXGraphObject::operator=(const CXGraphObject& other) {
    if (this == &other)
        return *this;
    m_clRect = other.m_clRect;
    m_bSelected = other.m_bSelected;
    m_bEditing = other.m_bEditing;
    m_bCanMove = other.m_bCanMove;
    m_bCanResize = other.m_bCanResize;
    m_bTracking = other.m_bTracking;
    m_bVisible = other.m_bVisible;
    m_bCanEdit = other.m_bCanEdit;
    m_crColor = other.m_crColor;
    m_pGraph = other.m_pGraph;
    m_Tracker = other.m_Tracker;
    return *this;
}

void CXGraphObject::Draw(CDCEx*) {}

CRect* CXGraphObject::BeginTracking() {
    m_bTracking = true;
    m_Tracker.m_nStyle = CRectTracker::resizeOutside | CRectTracker::hatchedBorder;
    m_Tracker.m_rect = m_clRect;
    return &m_Tracker.m_rect;
}

void CXGraphObject::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_bSelected << m_bCanMove << m_bCanResize << m_bTracking << m_bEditing << m_bVisible
           << m_bCanEdit;
        ar << static_cast<const RECT&>(m_clRect);
        ar << static_cast<DWORD>(m_crColor);
        return;
    }
    ar >> m_bSelected >> m_bCanMove >> m_bCanResize >> m_bTracking >> m_bEditing >> m_bVisible >>
        m_bCanEdit;
    RECT r{};
    ar >> r;
    // Coordinates a window can have, with differences that still fit an int.
    constexpr int kLimit = 1 << 28;
    m_clRect.SetRect(kq::chart::Clamped(r.left, -kLimit, kLimit),
                     kq::chart::Clamped(r.top, -kLimit, kLimit),
                     kq::chart::Clamped(r.right, -kLimit, kLimit),
                     kq::chart::Clamped(r.bottom, -kLimit, kLimit));
    DWORD color = 0;
    ar >> color;
    m_crColor = color & 0x00FFFFFF;
    // What was in progress when the object was stored is not in progress now.
    m_bSelected = false;
    m_bEditing = false;
    m_bTracking = false;
}
