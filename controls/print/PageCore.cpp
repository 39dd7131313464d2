// The page itself: its units and centring offset, the inch conversions, the state stack and the
// settings that later operations print with.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "controls/print/Page.h"
#include "controls/print/PrintRegion.h"
#include "controls/print/PrinterGeometry.h"
#include "controls/print/TextLimits.h"
#include "platform/framework/WinApp.h"
#include "platform/ui/commdlg/CommDlg.h"
#include "platform/ui/commdlg/GlobalMemory.h"

namespace {

constexpr int kPageUnits = 1000;
constexpr size_t kFaceNameBytes = 39;
// Content is centred in a band of this width; a landscape page counts as wider from 10.9 in.
constexpr double kPortraitBandInches = 8.0;
constexpr double kLandscapeBandInches = 10.5;
constexpr double kLandscapeWideInches = 10.9;

std::atomic<uint64_t> g_nextSerial{1};
// The previous face name handed out by SetFontFace, valid until the next call.
char g_previousFace[kFaceNameBytes + 1];

}  // namespace

using kq::print::TruncateToInt;

CPage::CPage(RECT drawingRect, CDC* dc, int mapMode) : m_serial(g_nextSerial++) {
    if (mapMode != MM_TEXT && mapMode != MM_ANISOTROPIC)
        mapMode = MM_TEXT;
    dc->SetMapMode(mapMode);
    m_state.metrics = &m_metrics;
    m_orientation = QueryOrientation(dc);
    if (mapMode == MM_ANISOTROPIC) {
        dc->SetWindowOrg(0, 0);
        dc->SetWindowExt(kPageUnits, kPageUnits);
        dc->SetViewportOrg(drawingRect.left, drawingRect.top);
        dc->SetViewportExt(drawingRect.right, drawingRect.bottom);
        m_state.pageWidth = kPageUnits;
        m_state.pageHeight = kPageUnits;
        m_state.left = 0;
        m_state.top = 0;
        m_state.right = kPageUnits;
        m_state.bottom = kPageUnits;
    } else {
        m_state.pageWidth = drawingRect.right;
        m_state.pageHeight = drawingRect.bottom;
        m_state.left = drawingRect.left;
        m_state.top = drawingRect.top;
        m_state.right = drawingRect.right;
        m_state.bottom = drawingRect.bottom;
    }
    m_logPixelsX = dc->GetDeviceCaps(LOGPIXELSX);
    m_logPixelsY = dc->GetDeviceCaps(LOGPIXELSY);
    m_widthInches = m_logPixelsX > 0 ? double(drawingRect.right) / m_logPixelsX : 0.0;
    m_heightInches = m_logPixelsY > 0 ? double(drawingRect.bottom) / m_logPixelsY : 0.0;
    m_state.dc = dc;

    if (m_orientation == DMORIENT_LANDSCAPE) {
        if (m_widthInches > kLandscapeWideInches)
            m_state.hOffset =
                TruncateToInt(InchesToUnits(m_widthInches - kLandscapeBandInches, HORZRES) / 2.0);
    } else if (m_widthInches > kPortraitBandInches) {
        m_state.hOffset =
            TruncateToInt(InchesToUnits(m_widthInches - kPortraitBandInches, HORZRES) / 2.0);
    }
}

CPage::~CPage() = default;

int CPage::InchesToUnits(double inches, int axis) const {
    if (!(inches > 0.0) || m_state.dc == nullptr)
        return 0;
    const bool across = axis == HORZRES;
    if (m_state.dc->GetMapMode() == MM_TEXT)
        return TruncateToInt(inches * (across ? m_logPixelsX : m_logPixelsY));
    const double pageInches = across ? m_widthInches : m_heightInches;
    const int pageUnits = across ? m_state.pageWidth : m_state.pageHeight;
    if (!(pageInches > 0.0) || pageUnits <= 0)
        return 0;
    return TruncateToInt(inches / (pageInches / pageUnits));
}

double CPage::UnitsToInches(int units, int axis) const {
    if (units < 1 || m_state.dc == nullptr)
        return 0.0;
    const bool across = axis == HORZRES;
    if (m_state.dc->GetMapMode() == MM_TEXT) {
        const int perInch = across ? m_logPixelsX : m_logPixelsY;
        return perInch > 0 ? double(units) / perInch : 0.0;
    }
    const double pageInches = across ? m_widthInches : m_heightInches;
    const int pageUnits = across ? m_state.pageWidth : m_state.pageHeight;
    return pageUnits > 0 ? units * (pageInches / pageUnits) : 0.0;
}

void CPage::PointToUnits(double& row, double& column) const {
    row = InchesToUnits(row, VERTRES);
    column = InchesToUnits(column, HORZRES);
}

void CPage::BoxToUnits(double& top, double& left, double& bottom, double& right) const {
    top = InchesToUnits(top, VERTRES);
    bottom = InchesToUnits(bottom, VERTRES);
    left = InchesToUnits(left, HORZRES);
    right = InchesToUnits(right, HORZRES);
}

void CPage::PushState() {
    m_stack.push_back(m_state);
}

void CPage::PopState() {
    if (m_stack.empty())
        return;
    m_state = std::move(m_stack.back());
    m_stack.pop_back();
}

int CPage::QueryOrientation(CDC* dc) {
    if (dc == nullptr || !dc->IsPrinting())
        return 0;
    CWinApp* app = AfxGetApp();
    PRINTDLG pd{};
    pd.lStructSize = sizeof(pd);
    if (app == nullptr || !app->GetPrinterDeviceDefaults(&pd))
        return 0;
    if (::GlobalSize(pd.hDevMode) < sizeof(DEVMODE))
        return 0;
    const auto* mode = static_cast<const DEVMODE*>(::GlobalLock(pd.hDevMode));
    if (mode == nullptr)
        return 0;
    const int orientation = mode->dmOrientation;
    ::GlobalUnlock(pd.hDevMode);
    return orientation;
}

void CPage::SetTextProvider(PageTextProvider provider) {
    m_provider = std::move(provider);
}

double CPage::SetLineSpacing(double factor) {
    const double previous = m_lineSpacing;
    if (factor > 0.0)
        m_lineSpacing = factor;
    return previous;
}

const char* CPage::SetFontFace(const char* name) {
    const std::string previous = kq::print::BoundedCopy(m_state.faceName.c_str(), kFaceNameBytes);
    std::memcpy(g_previousFace, previous.c_str(), previous.size() + 1);
    if (name != nullptr)
        m_state.faceName = name;
    return g_previousFace;
}

double CPage::GetNextColumn(bool inInches, bool withGap) {
    const int64_t column = int64_t{m_lastRight} + (withGap ? m_metrics.tmMaxCharWidth : 0);
    const int units = kq::print::ClampToInt(column);
    return inInches ? UnitsToInches(units, HORZRES) : units;
}

COLORREF CPage::SetTextColor(COLORREF colour) {
    return m_state.dc->SetTextColor(colour);
}

int CPage::SetFontSize(int points) {
    const int previous = m_state.pointSize;
    m_state.pointSize = points;
    return previous;
}

namespace {

// A limit set above 0, reset to the page size by -1, only asked with 0.
int ChangeLimit(int& limit, int units, int pageSize) {
    const int previous = limit;
    if (units > 0)
        limit = units;
    else if (units == -1)
        limit = pageSize;
    return previous;
}

}  // namespace

int CPage::SetRightLimit(int units) {
    return ChangeLimit(m_state.right, units, m_state.pageWidth);
}

double CPage::SetRightLimit(double inches) {
    const int units =
        inches > 0.0 ? std::max(InchesToUnits(inches, HORZRES), 1) : (inches == -1.0 ? -1 : 0);
    return UnitsToInches(ChangeLimit(m_state.right, units, m_state.pageWidth), HORZRES);
}

int CPage::SetBottomLimit(int units) {
    return ChangeLimit(m_state.bottom, units, m_state.pageHeight);
}

double CPage::SetBottomLimit(double inches) {
    const int units =
        inches > 0.0 ? std::max(InchesToUnits(inches, VERTRES), 1) : (inches == -1.0 ? -1 : 0);
    return UnitsToInches(ChangeLimit(m_state.bottom, units, m_state.pageHeight), VERTRES);
}
