// The base of every chart object (curves, axes, labels, notations): bounding box, state flags,
// main colour, owner chart and a rectangle tracker for moving and sizing.
#pragma once

#include "chart/DCEx.h"
#include "platform/base/Archive.h"
#include "platform/framework/RectTracker.h"

class CXGraph;

class CXGraphObject : public CObject {
    DECLARE_SERIAL(CXGraphObject)
  public:
    CXGraphObject() = default;
    CXGraphObject(const CXGraphObject& other);
    CXGraphObject& operator=(const CXGraphObject& other);
    ~CXGraphObject() override = default;

    // The 27-byte base record: seven flags, the rectangle, the colour.
    void Serialize(CArchive& ar) override;
    virtual void Draw(CDCEx* dc);
    virtual void BeginEdit() {}
    virtual void EndEdit() {}
    virtual CRect* BeginTracking();
    virtual void EndTracking() { m_bTracking = false; }
    virtual void ShowProperties() {}

    void SetVisible(bool visible) { m_bVisible = visible; }
    bool GetVisible() const { return m_bVisible; }
    void SetRectCoordinates(int left, int top, int right, int bottom) {
        m_clRect.SetRect(left, top, right, bottom);
    }
    void SetColor(COLORREF color) { m_crColor = color; }
    COLORREF GetColor() const { return m_crColor; }
    virtual void SetTextMember(const CString&) {}

    CRect m_clRect;
    bool m_bSelected = false;
    bool m_bEditing = false;
    bool m_bCanMove = false;
    bool m_bCanResize = false;
    bool m_bTracking = false;
    bool m_bVisible = true;
    bool m_bCanEdit = true;
    COLORREF m_crColor = RGB(0, 0, 0);
    CXGraph* m_pGraph = nullptr;
    CRectTracker m_Tracker;
};

namespace kq::chart {

// A loaded choice kept within lo..hi.
inline int Clamped(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace kq::chart
