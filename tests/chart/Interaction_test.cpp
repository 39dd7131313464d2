// The chart under injected mouse, wheel and keys: zoom bands and their history, pan, wheel and
// key scrolling (logarithmic axes by factors), the notifications the parent receives and the
// live diagram's read-out delay built on them, marker and point drags, measurements, labels
// and the cursor shapes of the modes.
#include <cmath>
#include <utility>

#include "ChartTestUtil.h"
#include "platform/framework/WindowThunks.h"
#include "platform/ui/Input.h"

namespace kq::chart::test {
namespace {

struct Posted {
    UINT message;
    WPARAM wParam;
};

// The chart's parent: records what the chart posts, and shows a curve's read-out 2000 ms after
// the last curve notice, as the live diagram does.
class RecordingParent : public CWnd {
  public:
    std::vector<Posted> posted;
    CXGraphPointEdit lastEdit;
    int readOut = -1;
    int pending = -1;

    std::vector<Posted> Take(bool withCurveNotices = false) {
        std::vector<Posted> out;
        for (const Posted& p : std::exchange(posted, {}))
            if (withCurveNotices || p.message != WM_USER + 12)
                out.push_back(p);
        return out;
    }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if ((message > WM_USER && message <= WM_USER + 12) || message == 60012) {
            posted.push_back({message, wParam});
            if (message == WM_USER + 11)
                lastEdit = *reinterpret_cast<const CXGraphPointEdit*>(wParam);
            if (message == WM_USER + 12) {
                pending = static_cast<int>(static_cast<LPARAM>(wParam));
                SetTimer(1, 2000);
            }
            return 0;
        }
        if (message == WM_TIMER && wParam == 1) {
            KillTimer(1);
            readOut = pending;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ChartInteraction : public ChartWindowTest {
  protected:
    void SetUp() override {
        ChartWindowTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "Diagramm", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400,
                                    nullptr, nullptr));
        chart = new CXGraph;
        charts_.emplace_back(chart);
        ASSERT_TRUE(chart->Create(CXGraph::kClassName, "", WS_CHILD | WS_VISIBLE,
                                  CRect(0, 0, 500, 350), &parent, 1));
        for (int c = 0; c < 5; ++c)
            curves[c] = Points(10, [c](int) { return 2.0 * c + 1.0; });
        for (int c = 0; c < 5; ++c)
            chart->SetData(curves[c].data(), 10, c, 0, 0, false);
        chart->GetXAxis(0).SetRange(0, 9);
        chart->GetYAxis(0).SetRange(0, 10);
        chart->SetShowLegend(false);
        chart->UpdateWindow();
        Pump();
        parent.Take(true);
    }
    void TearDown() override {
        for (auto& c : charts_)
            if (c->GetSafeHwnd() != nullptr)
                c->DestroyWindow();
        charts_.clear();
        parent.DestroyWindow();
        ChartWindowTest::TearDown();
    }
    CPoint Screen(CPoint p) {
        chart->ClientToScreen(&p);
        return p;
    }
    void Move(CPoint p) { MouseMove(Screen(p)); }
    void Drag(CPoint from, CPoint to, int button = VK_LBUTTON) {
        MouseMove(Screen(from));
        MouseDown(Screen(from), button);
        MouseMove(Screen(from + CPoint(0, 1)));
        MouseMove(Screen(to));
        MouseUp(Screen(to), button);
        chart->UpdateWindow();
        Pump();
    }
    // The pixel of a value pair on axes 0.
    CPoint At(double x, double y) {
        const double xy[2] = {x, y};
        return CPoint(chart->GetXAxis(0).GetPointForValue(xy).x,
                      chart->GetYAxis(0).GetPointForValue(xy).y);
    }
    static std::pair<double, double> Range(CXGraphAxis& a) { return {a.m_fCurMin, a.m_fCurMax}; }
    HCURSOR CursorIn(CPoint p) {
        Move(p);
        chart->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(chart->m_hWnd),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    }

    RecordingParent parent;
    CXGraph* chart = nullptr;
    std::vector<TDataPoint> curves[5];
};

TEST_F(ChartInteraction, ZoomBandsBelowFifteenPixelsDoNothing) {
    chart->OnZoom();
    const auto x0 = Range(chart->GetXAxis(0)), y0 = Range(chart->GetYAxis(0));
    const CPoint a = At(2.5, 8.5);
    Drag(a, a + CPoint(14, 40));
    EXPECT_EQ(Range(chart->GetXAxis(0)), x0);
    EXPECT_TRUE(parent.Take().empty());

    Drag(a, a + CPoint(15, 15));
    const auto x1 = Range(chart->GetXAxis(0)), y1 = Range(chart->GetYAxis(0));
    EXPECT_NE(x1, x0);
    EXPECT_EQ(chart->GetXAxis(0).m_ZoomHistory.size(), 1u);
    ASSERT_EQ(parent.Take().size(), 1u);
    // The same band dragged the other way round.
    chart->OnUndoZoom();
    EXPECT_EQ(Range(chart->GetXAxis(0)), x0);
    EXPECT_EQ(Range(chart->GetYAxis(0)), y0);
    chart->UpdateWindow();
    Drag(a + CPoint(15, 15), a);
    EXPECT_EQ(Range(chart->GetXAxis(0)), x1);
    EXPECT_EQ(Range(chart->GetYAxis(0)), y1);
    chart->OnUndoZoom();
    chart->OnUndoZoom();  // nothing left: still a notice
    Pump();
    const auto posted = parent.Take();
    ASSERT_EQ(posted.size(), 4u);
    for (const Posted& p : posted)
        EXPECT_EQ(p.message, WM_USER + 10u);
}

TEST_F(ChartInteraction, PanWheelAndKeysMoveTheRanges) {
    chart->OnPan();
    const auto x0 = Range(chart->GetXAxis(0));
    const CPoint a = At(4, 4);
    MouseMove(Screen(a));
    MouseDown(Screen(a));
    MouseMove(Screen(a + CPoint(30, 0)));  // the first move only remembers the point
    EXPECT_EQ(Range(chart->GetXAxis(0)), x0);
    MouseMove(Screen(a + CPoint(60, 0)));
    MouseUp(Screen(a + CPoint(60, 0)));
    EXPECT_LT(chart->GetXAxis(0).m_fCurMin, x0.first);  // the content follows the mouse

    chart->OnResetZoom();
    const auto x9 = Range(chart->GetXAxis(0));
    const auto y0 = Range(chart->GetYAxis(0));
    chart->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_DOUBLE_EQ(chart->GetXAxis(0).m_fCurMin, x9.first + 0.9);
    EXPECT_EQ(Range(chart->GetYAxis(0)), y0);
    chart->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_DOUBLE_EQ(chart->GetYAxis(0).m_fCurMin, y0.first - 1.0);

    chart->SetFocus();
    KeyPress(VK_HOME);
    EXPECT_EQ(Range(chart->GetXAxis(0)), x9);
    KeyPress(VK_ADD);
    EXPECT_DOUBLE_EQ(chart->GetYAxis(0).m_fCurMax, y0.second - 1.0);
    KeyPress(VK_HOME);
    KeyPress(VK_LEFT);
    EXPECT_DOUBLE_EQ(chart->GetXAxis(0).m_fCurMin, x9.first + 0.9);

    // In cursor mode the arrows move the cursor by a pixel and scroll nothing.
    KeyPress(VK_HOME);
    chart->OnCursor();
    Move(At(4, 4));
    const CPoint before = chart->GetCursorPosition();
    KeyPress(VK_RIGHT);
    KeyPress(VK_DOWN);
    EXPECT_EQ(chart->GetCursorPosition(), before + CPoint(1, 1));
    EXPECT_EQ(Range(chart->GetXAxis(0)), x9);
}

TEST_F(ChartInteraction, LogarithmicAxesMoveByFactorsAndStayPositive) {
    CXGraphAxis& y = chart->GetYAxis(0);
    y.SetLogarithmic(true);
    y.SetRange(1, 1000);
    chart->UpdateWindow();
    const double decades = std::log10(y.m_fCurMax / y.m_fCurMin);
    for (int i = 0; i < 30; ++i)
        chart->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_GT(y.m_fCurMin, 0.0);
    EXPECT_NEAR(std::log10(y.m_fCurMax / y.m_fCurMin), decades, 1e-9);
    chart->OnPan();
    chart->UpdateWindow();
    const CPoint a = At(4, 10);
    MouseMove(Screen(a));
    MouseDown(Screen(a));
    MouseMove(Screen(a + CPoint(0, 1)));
    MouseMove(Screen(a + CPoint(0, 200)));
    MouseUp(Screen(a + CPoint(0, 200)));
    EXPECT_GT(y.m_fCurMin, 0.0);
}

TEST_F(ChartInteraction, NoticesGoToTheParentOncePerPass) {
    // Over empty plot: one curve notice per move, naming none.
    const CPoint empty = At(4.5, 9.5);
    Move(empty);
    Move(empty + CPoint(1, 0));
    Pump();
    auto posted = parent.Take(true);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(static_cast<LPARAM>(posted[1].wParam), -1);

    // A click pass over nothing says so, and only that.
    chart->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(empty.x, empty.y));
    Pump();
    posted = parent.Take();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].message, WM_USER + 7u);

    // The third of five curves under the mouse: its read-out after the mouse rests 2000 ms.
    for (int i = 0; i < 3; ++i)
        Move(At(4 + i * 0.2, 5.0));
    Advance(1999);
    EXPECT_EQ(parent.readOut, -1);
    Advance(2);
    EXPECT_EQ(parent.readOut, 2);

    // Overlapping Y axes are both notified; the X axis then is not.
    chart->SetData(curves[0].data(), 10, 0, 0, 1, false);
    chart->UpdateWindow();
    parent.Take(true);
    const CRect band(10, 10, 40, 340);
    chart->GetYAxis(0).m_clAreaRect = band;
    chart->GetYAxis(1).m_clAreaRect = band;
    chart->GetXAxis(0).m_clAreaRect = band;
    chart->m_CurrentPoint = CPoint(20, 200);
    chart->CheckObjects(false, false);
    Pump();
    posted = parent.Take();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].message, WM_USER + 1u);
    EXPECT_EQ(posted[1].wParam, 1u);

    chart->SetModeFlag(false);
    EXPECT_FALSE(chart->CheckObjects(false, true));
    chart->CheckObjects(true, false);
    Pump();
    EXPECT_TRUE(parent.Take(true).empty());
    EXPECT_NE(CursorIn(At(4, 5)), ::LoadCursor(nullptr, IDC_HAND));
}

TEST_F(ChartInteraction, CursorShapesFollowTheMode) {
    EXPECT_EQ(CursorIn(At(4, 5)), ::LoadCursor(nullptr, IDC_HAND));  // over a curve
    chart->OnZoom();
    EXPECT_EQ(CursorIn(At(4, 9.5)), ::LoadCursor(nullptr, IDC_CROSS));
    chart->OnPan();
    EXPECT_EQ(CursorIn(At(4, 9.5)), ::LoadCursor(nullptr, IDC_SIZEALL));
    chart->OnEditPoints();
    EXPECT_EQ(CursorIn(At(4, 5)), ::LoadCursor(nullptr, IDC_SIZENS));
    EXPECT_NE(CursorIn(At(4, 9.5)), ::LoadCursor(nullptr, IDC_SIZENS));
}

TEST_F(ChartInteraction, AHiddenAxisLeavesThePlotToTheCurves) {
    chart->GetYAxis(0).SetVisible(false);
    chart->Invalidate(FALSE);
    chart->UpdateWindow();
    Pump();
    parent.Take(true);
    EXPECT_NE(CursorIn(At(4, 9.5)), ::LoadCursor(nullptr, IDC_HAND));
    Move(At(4, 5));
    Pump();
    const auto moved = parent.Take(true);
    ASSERT_FALSE(moved.empty());
    EXPECT_EQ(moved.back().message, WM_USER + 12u);
    EXPECT_EQ(moved.back().wParam, 2u);
    // On the hidden axis's own line as well: nothing there to click.
    for (const CPoint p : {At(4, 9.5), CPoint(chart->GetYAxis(0).m_nLeft, At(4, 9.5).y)}) {
        chart->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(p.x, p.y));
        Pump();
        const auto clicked = parent.Take();
        ASSERT_EQ(clicked.size(), 1u);
        EXPECT_EQ(clicked[0].message, WM_USER + 7u);
    }
    EXPECT_FALSE(chart->GetYAxis(0).m_bSelected);
}

TEST_F(ChartInteraction, APointDragTakesThePointHalfAMarkerLeftOfTheMouse) {
    chart->OnEditPoints();
    const auto dragUp = [this](CPoint at) {
        Move(at);
        MouseDown(Screen(at));
        MouseMove(Screen(at + CPoint(0, -30)));
        Pump();
        MouseUp(Screen(at + CPoint(0, -30)));
        Pump();
    };
    // Just past the last point the search finds no point: nothing moves.
    chart->GetCurve(2).SetMarkerSize(1);
    parent.Take(true);
    dragUp(At(9, 5) + CPoint(1, 0));
    for (const Posted& p : parent.Take())
        EXPECT_NE(p.message, WM_USER + 11u);
    EXPECT_EQ(curves[2][9].fYVal, 5.0);

    chart->GetCurve(2).SetMarkerSize(6);
    dragUp(At(9, 5));
    EXPECT_EQ(parent.lastEdit.nCurve, 2);
    EXPECT_EQ(parent.lastEdit.nIndex, 9);
    EXPECT_EQ(parent.lastEdit.fOldY, 5.0);
    EXPECT_GT(parent.lastEdit.fNewY, 5.0);
    EXPECT_EQ(curves[2][9].fYVal, parent.lastEdit.fNewY);
    EXPECT_EQ(chart->m_nDragCurve, -1);
    // A trend command without a curve under the mouse does nothing.
    chart->m_nCurveUnderMouse = -1;
    chart->SendMessage(WM_COMMAND, 60009);
    EXPECT_EQ(chart->GetCurveCount(), 5);
}

TEST_F(ChartInteraction, OnlyTheDraggedMarkerMovesAndOnlyARightReleaseDeletes) {
    chart->SetData(curves[4].data(), 10, 4, 0, 1, false);
    chart->GetYAxis(1).SetRange(0, 10);
    chart->GetYAxis(0).SetAxisMarker(0, 3.0, 0);
    chart->GetYAxis(1).SetAxisMarker(0, 6.0, 0);
    chart->UpdateWindow();
    const CPoint marker = At(1, 3.0);
    Drag(marker, marker + CPoint(0, -20));
    EXPECT_GT(chart->GetYAxis(0).GetAxisMarker(0).fValue, 3.0);
    EXPECT_EQ(chart->GetYAxis(1).GetAxisMarker(0).fValue, 6.0);

    // A right button held over a band deletes nothing while the mouse moves; its release one.
    const CPoint other = At(1, chart->GetYAxis(0).GetAxisMarker(0).fValue);
    chart->UpdateWindow();
    MouseMove(Screen(other));
    MouseDown(Screen(other), VK_RBUTTON);
    MouseMove(Screen(other + CPoint(1, 0)));
    EXPECT_EQ(chart->GetYAxis(0).GetAxisMarkerCount(), 1);
    MouseUp(Screen(other + CPoint(1, 0)), VK_RBUTTON);
    EXPECT_EQ(chart->GetYAxis(0).GetAxisMarkerCount(), 0);
    EXPECT_EQ(chart->GetYAxis(1).GetAxisMarkerCount(), 1);

    // A right release with a selected axis opens the menu and places no marker.
    chart->GetYAxis(1).m_bSelected = true;
    parent.Take();
    MouseDown(Screen(At(5, 9)), VK_RBUTTON);
    MouseUp(Screen(At(5, 9)), VK_RBUTTON);
    EXPECT_EQ(chart->GetYAxis(1).GetAxisMarkerCount(), 1);
    const auto posted = parent.Take();
    ASSERT_FALSE(posted.empty());
    EXPECT_EQ(posted.back().message, WM_USER + 8u);
    // A left release does place one.
    chart->GetYAxis(1).m_bSelected = true;
    Click(Screen(At(5, 9)));
    EXPECT_EQ(chart->GetYAxis(1).GetAxisMarkerCount(), 2);
}

TEST_F(ChartInteraction, MeasurementsNeedTwoPointsAndSurviveTheCursor) {
    chart->OnMeasure();
    Click(Screen(At(3, 3)));
    EXPECT_TRUE(chart->m_Measures.empty());
    Drag(At(2, 3), At(6, 7));
    ASSERT_EQ(chart->m_Measures.size(), 1u);
    EXPECT_EQ(chart->m_Measures[0].nCurve1, 1);
    EXPECT_EQ(chart->m_Measures[0].nCurve2, 3);
    chart->OnCursor();
    Move(At(5, 5));
    chart->UpdateWindow();
    EXPECT_EQ(chart->m_Measures[0].nCurve1, 1);
}

TEST_F(ChartInteraction, LabelsAreSelectedEditedAndDeleted) {
    CXGraphLabel* label = chart->InsertLabel(CRect(60, 40, 160, 90), "note");
    label->m_bCanMove = label->m_bCanResize = true;
    chart->UpdateWindow();
    Click(Screen(CPoint(100, 60)));
    EXPECT_TRUE(label->m_bSelected);
    EXPECT_TRUE(label->m_bTracking);
    EXPECT_EQ(chart->m_pCurrentObject, label);

    // The invisible cursor label never becomes current: a right click there asks for the menu.
    parent.Take();
    const CRect hidden = chart->GetCursorLabel().m_clRect;
    Click(Screen(hidden.CenterPoint()), VK_RBUTTON);
    EXPECT_EQ(parent.Take().back().message, WM_USER + 8u);

    Click(Screen(CPoint(100, 60)));
    chart->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(100, 60));
    EXPECT_TRUE(label->m_bEditing);
    label->GetEdit()->SetWindowText("changed");
    Click(Screen(At(5, 9.5)));
    EXPECT_FALSE(label->m_bEditing);
    EXPECT_EQ(label->m_cText, "changed");

    Click(Screen(CPoint(100, 60)));
    ASSERT_EQ(chart->m_pCurrentObject, label);
    MSG del{chart->m_hWnd, WM_KEYDOWN, VK_DELETE, 0, 0, {}};
    chart->PreTranslateMessage(&del);
    EXPECT_EQ(chart->m_Objects.GetCount(), 1);
    // The cursor label stays whatever happens.
    chart->m_pCurrentObject = &chart->GetCursorLabel();
    chart->GetCursorLabel().m_bTracking = true;
    chart->PreTranslateMessage(&del);
    EXPECT_EQ(chart->m_Objects.GetCount(), 1);
}

TEST_F(ChartInteraction, ANotationGoneWithItsCurveLeavesNoTracker) {
    chart->InsertDataNotation(0, 4);
    auto* notation = static_cast<CXGraphObject*>(chart->m_Objects.GetTail());
    chart->m_pCurrentObject = notation;
    chart->m_pTracker = &notation->m_Tracker;
    chart->DeleteCurve(0);
    EXPECT_EQ(chart->m_pTracker, nullptr);
    EXPECT_EQ(chart->m_pCurrentObject, nullptr);
    chart->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(chart->m_hWnd),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

TEST_F(ChartInteraction, ATrackerHandleResizesOnlyMovableResizableLabels) {
    CXGraphLabel* label = chart->InsertLabel(CRect(60, 40, 160, 90), "note");
    label->m_bCanMove = label->m_bCanResize = true;
    chart->UpdateWindow();
    const auto dragHandle = [&] {
        // A press inside a tracking label would enter the tracker's loop at once.
        if (!label->m_bTracking)
            Click(Screen(CPoint(100, 60)));  // selected, and its tracker is active
        ASSERT_TRUE(label->m_bTracking);
        CPoint grip = label->m_clRect.BottomRight();
        for (int d = 0; d < 10 && label->m_Tracker.HitTest(grip) != CRectTracker::hitBottomRight;
             ++d)
            grip += CPoint(1, 1);
        ASSERT_EQ(label->m_Tracker.HitTest(grip), CRectTracker::hitBottomRight);
        // The whole drag is queued: the tracker's own loop takes the move and the release.
        kq::ui::InjectMouseButton(Screen(grip), VK_LBUTTON, true);
        kq::ui::InjectMouseMove(Screen(grip + CPoint(30, 20)));
        kq::ui::InjectMouseButton(Screen(grip + CPoint(30, 20)), VK_LBUTTON, false);
        Pump();
    };
    dragHandle();
    EXPECT_EQ(label->m_clRect, CRect(60, 40, 190, 110));
    label->m_bCanResize = false;
    dragHandle();
    EXPECT_EQ(label->m_clRect, CRect(60, 40, 190, 110));
}

// A curve right-clicked for the context menu, recoloured and then panned shows its line in the
// colour chosen, as its legend does.
TEST_F(ChartInteraction, APanShowsTheChosenCurveColour) {
    constexpr COLORREF kChosen = RGB(255, 128, 0);
    const CPoint onCurve = At(4, 1);
    MouseMove(Screen(onCurve));
    MouseDown(Screen(onCurve), VK_RBUTTON);
    MouseUp(Screen(onCurve), VK_RBUTTON);
    chart->GetCurve(0).SetColor(kChosen);
    chart->OnPan();
    Drag(At(4, 5), At(4, 5) + CPoint(40, 0));
    chart->Invalidate(FALSE);
    chart->UpdateWindow();
    CRect client;
    chart->GetClientRect(&client);
    int chosen = 0;
    for (int x = client.left; x < client.right; ++x)
        chosen += ScreenAt(chart, x, At(4, 1).y) == kChosen;
    EXPECT_GT(chosen, 100);
}

TEST_F(ChartInteraction, OverlaysTouchOnlyTheirOwnPixels) {
    const auto screen = [this](const CRect& area) {
        std::vector<COLORREF> out;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                out.push_back(ScreenAt(chart, x, y));
        return out;
    };
    CRect client;
    chart->GetClientRect(&client);

    // The XOR cursor drawn at A and moved on to B leaves what a cursor drawn at B alone leaves.
    chart->m_nCursorFlags = 3;
    chart->m_bSnapCursor = false;
    chart->OnCursor();
    const CPoint a = At(3.3, 8.5), b = At(6.6, 9.5);
    Move(b);
    chart->Invalidate(FALSE);
    chart->UpdateWindow();
    const auto atB = screen(client);
    Move(a);
    Move(b);
    EXPECT_EQ(screen(client), atB);

    // The double-buffered zoom band changes pixels only inside its rectangle.
    chart->OnZoom();
    chart->UpdateWindow();
    const auto before = screen(client);
    const CPoint from = At(2, 9), to = At(5, 6);
    MouseMove(Screen(from));
    MouseDown(Screen(from));
    MouseMove(Screen(to));
    chart->UpdateWindow();
    const auto during = screen(client);
    const CRect band(from, to + CPoint(1, 1));
    int outside = 0, inside = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            const size_t i = static_cast<size_t>(y) * client.right + x;
            if (band.PtInRect(CPoint(x, y)))
                inside += before[i] != during[i];
            else
                outside += before[i] != during[i];
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, band.Width() * band.Height() / 2);
    MouseUp(Screen(to));
}

}  // namespace
}  // namespace kq::chart::test
