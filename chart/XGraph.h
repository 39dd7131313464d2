// The chart control: a child window of class "XGraph" that owns curves, X and Y axes, free
// objects (labels, notations) and measurements, and paints them flicker-free. Painting is one
// routine drawing into a given CDCEx over a given rectangle; the screen and the printer both
// go through it.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "chart/DrawHelpers.h"
#include "chart/Markers.h"
#include "chart/XGraphAxis.h"
#include "chart/XGraphDataSerie.h"
#include "chart/XGraphLabel.h"
#include "platform/base/Lists.h"
#include "platform/framework/Wnd.h"

struct CXGraphMeasure {
    int nCurve1 = -1;
    int nIndex1 = -1;
    int nCurve2 = -1;
    int nIndex2 = -1;
};

struct CXGraphPointEdit {
    int nCurve = -1;
    int nIndex = -1;
    double fOldY = 0.0;
    double fNewY = 0.0;
};

// One line of the legend: its rectangle and the index of its curve.
struct CXGraphLegendEntry {
    CRect rect;
    int nCurve = -1;
};

struct ChartArchiveModel;
class CFile;
class CPalette;

class CXGraph : public CWnd {
    DECLARE_SERIAL(CXGraph)
  public:
    enum EMode { MZoom = 1, MPan = 3, MCursor = 4, MEditPoints = 7, MMeasure = 8, MSelect = 0 };
    static constexpr const char* kClassName = "XGraph";
    static constexpr UINT kLabelEditId = 65534;
    // Posted to the parent by the "properties" command.
    static constexpr UINT kPropertiesMessage = 60012;

    CXGraph();
    ~CXGraph() override;

    // Data and structure.
    CXGraphDataSerie* SetData(TDataPoint* points, long count, int curve, int xAxis, int yAxis,
                              bool autoscale, bool copy = false, bool fit = false);
    void Autoscale(int xAxis, int yAxis, int curve);
    // False when the curve has no finite point.
    static bool GetMinMaxForData(const CXGraphDataSerie& serie, double& xmin, double& xmax,
                                 double& ymin, double& ymax);
    CXGraphDataSerie& GetCurve(int i) { return m_Data[static_cast<size_t>(i)]; }
    CXGraphAxis& GetXAxis(int i) { return m_XAxis[static_cast<size_t>(i)]; }
    CXGraphAxis& GetYAxis(int i) { return m_YAxis[static_cast<size_t>(i)]; }
    int GetCurveCount() const { return static_cast<int>(m_Data.size()); }
    int GetXAxisCount() const { return static_cast<int>(m_XAxis.size()); }
    int GetYAxisCount() const { return static_cast<int>(m_YAxis.size()); }
    bool DeleteCurve(int i);
    bool DeleteXAxis(int i);
    bool DeleteYAxis(int i);
    void ShowCurve(int i, bool visible);
    bool SelectCurve(int i);
    bool SelectXAxis(int i);
    bool SelectYAxis(int i);
    void SetAxisDecimals(int axis, int decimals, int which);
    CXGraphLabel* InsertLabel(const CString& text = "");
    CXGraphLabel* InsertLabel(CRect rect, const CString& text = "");
    void InsertDataNotation(int curve, int index);
    // Removes every data notation (the marks the cursor left on points).
    void DeleteDataNotations();
    int GetAxisIndex(const CXGraphAxis* axis) const;
    int GetCurveIndex(const CXGraphDataSerie* serie) const;
    void SetMargins(int left, int top, int right, int bottom);
    int GetZoomDepth() const;
    // (x, y) at the mouse x on the curve; (0, 0) for an invalid curve or no point.
    std::pair<double, double> GetCursorValue(int curve);
    void SetCursorToValue(int curve, double x, bool centre);
    void ResetAll();
    void AddLinearTrend(CXGraphDataSerie& serie);
    void AddCubicTrend(CXGraphDataSerie& serie);
    // Appends a copy of the points as a new curve on the axes of curve `source`, named `name`,
    // and widens those axes to take it in (never shrinking them); null when nothing was added.
    CXGraphDataSerie* AppendDerivedCurve(const TDataPoint* points, int count, int source,
                                         const CString& name);

    // Archive. Flags: 1 settings, 2 curves and axes, 4 measurements and objects. Loading reads
    // the flags from the file and changes the chart only when the whole file is good (else
    // Serialize throws and Load answers FALSE).
    using CWnd::Serialize;
    void Serialize(CArchive& ar, int flags);
    BOOL Save(const CString& path, int flags);
    BOOL Load(const CString& path);
    BOOL LoadFrom(CFile& file);

    // Printing: one page "Graph" with the screen layout at the printer's resolution; a DC whose
    // attribute handle differs (a preview) is drawn on without a job.
    BOOL Print(CDC* printer);
    BOOL PrintRect(CDC* printer, const CRect& rect);
    void OnPrint();
    // Export: the kept image as a BMP file (true only when all of it is on disk), the window's
    // screen image as a packed DIB the caller frees with GlobalFree.
    bool SaveBitmap(const CString& path);
    HGLOBAL GetWindowDIB();
    HGLOBAL DDBToDIB(CBitmap& bitmap, DWORD compression, CPalette* palette);
    BOOL WriteDIB(const CString& path, HGLOBAL dib);

    // Painting: the whole chart into dc over rect. On a printer DC (print scaling on) the
    // layout is computed in screen pixels and the DC scales it; the kept image is taken only
    // from screen paints.
    void PaintChart(CDCEx* dc, const CRect& rect);
    // The window's paint over its client rectangle: double-buffered through the kept image
    // unless double buffering is off, then the kept image is copied from the target.
    void PaintScreen(CDC* target, const CRect& client);
    CBitmap* GetChartBitmap() { return m_pDrawBitmap.get(); }
    const CRect& GetPlotRect() const { return m_clInnerRect; }
    const std::vector<CXGraphLegendEntry>& GetLegendEntries() const { return m_LegendEntries; }
    MarkerPainter GetMarkerPainter(int symbol) const;
    // The font of numbered markers of one size, made once per paint.
    CFont* GetNumberFont(int size);

    // Commands of the context menu; the client also calls them directly.
    void OnSelect();
    void OnInsertLabel();
    void OnZoom();
    void OnResetZoom();
    void OnPan();
    void OnEdit();
    void OnLinearTrend();
    void OnCubicTrend();
    void OnCursor();
    void OnProperties();
    void OnUndoZoom();
    void OnMeasure();
    void OnEditPoints();

    // Hit testing at the mouse point: a test pass answers whether anything is under it; a
    // selection pass selects, notifies the parent and answers false.
    bool CheckObjects(bool click, bool testOnly);
    // Moves point.y onto the nearest point of a visible curve and records the measurement's
    // start (point at the drag start) or end.
    void SnapMeasurePoint(CPoint& point);
    BOOL PreTranslateMessage(MSG* msg) override;
    // The record WM_USER+11 points at; valid while the chart lives.
    const CXGraphPointEdit& GetPointEdit() const { return m_PointEdit; }

    // One-field accessors.
    void SetBackColor(COLORREF c) { m_crBackColor = c; }
    COLORREF GetBackColor() const { return m_crBackColor; }
    void SetOuterColor(COLORREF c) { m_crGraphColor = c; }
    COLORREF GetOuterColor() const { return m_crGraphColor; }
    void SetInnerColor(COLORREF c) { m_crInnerColor = c; }
    COLORREF GetInnerColor() const { return m_crInnerColor; }
    void SetShowLegend(bool show) { m_bShowLegend = show; }
    bool GetShowLegend() const { return m_bShowLegend; }
    void SetModeFlag(bool interactive) { m_bInteraction = interactive; }
    bool GetModeFlag() const { return m_bInteraction; }
    CXGraph* SetMenuOptionFlag(bool show) {
        m_bDataPointMoving = show;
        return this;
    }
    CPoint GetCursorPosition() const { return m_CurrentPoint; }
    void SetFirstTitleText(const CString& text) { m_cFirstTitle = text; }
    void SetSecondTitleText(const CString& text) { m_cSecondTitle = text; }
    CString GetFirstTitleText() const { return m_cFirstTitle; }
    CString GetSecondTitleText() const { return m_cSecondTitle; }
    int GetInteractionMode() const { return m_opOperation; }
    CXGraphLabel& GetCursorLabel() { return m_CursorLabel; }

    // Fields the chart's dialogs, archive and interaction read and write.
    MarkerPainter m_pDrawFn[kMarkerCount];
    COLORREF m_crBackColor;
    COLORREF m_crGraphColor;
    COLORREF m_crInnerColor;
    bool m_bDoubleBuffer = true;
    bool m_bShowLegend = true;
    bool m_bInteraction = true;
    int m_LegendAlignment = 1;
    bool m_bSnapCursor = true;
    int m_nSnapRange = 10;
    int m_nCursorFlags = 7;
    CDCEx* m_pPrintDC = nullptr;
    CDCEx* m_pTargetDC = nullptr;
    CRectTracker* m_pTracker = nullptr;
    CRect m_clInnerRect;
    CRect m_clPrintRect;
    CPoint m_OldPoint{0, 0};
    int m_opOperation = MSelect;
    int m_nSnappedCurve = -1;
    int m_nSnappedCurve1 = 0;
    int m_nLeftMargin = 5;
    int m_nTopMargin = 5;
    int m_nRightMargin = 5;
    int m_nBottomMargin = 5;
    int m_nAxisSpace = 5;
    int m_nForcedSnapCurve = -1;
    CRect m_clCurrentZoom;
    std::unique_ptr<CBitmap> m_pDrawBitmap;
    CPoint m_MouseDownPoint;
    CPoint m_oldCursorPoint{-1, -1};
    CPoint m_CurrentPoint;
    bool m_bLButtonDown = false;
    bool m_bRButtonDown = false;
    bool m_bObjectSelected = false;
    double m_fCurrentEditValue = 0.0;
    bool m_bDataPointMoving = false;
    int m_nCurveUnderMouse = -1;
    double m_fSnappedXVal = 0.0;
    double m_fSnappedYVal = 0.0;
    CString m_cFirstTitle;
    CString m_cSecondTitle;
    CXGraphLabel m_CursorLabel;
    CXGraphMeasure m_MeasureDef;
    std::vector<CXGraphMeasure> m_Measures;
    std::vector<CXGraphLegendEntry> m_LegendEntries;
    std::vector<CXGraphDataSerie> m_Data;
    std::vector<CXGraphAxis> m_XAxis;
    std::vector<CXGraphAxis> m_YAxis;
    CObList m_Objects{10};
    std::map<int, std::unique_ptr<CQuickFont>> m_NumberFonts;
    CXGraphObject* m_pCurrentObject = nullptr;
    // The marker a left drag moves: direction 0 Y, 1 X; the axis; the marker; -1 when none.
    struct DraggedMarker {
        int direction = -1;
        int axis = -1;
        int marker = -1;
    };
    DraggedMarker m_DraggedMarker;
    int m_nDragCurve = -1;
    int m_nDragPoint = -1;
    CXGraphPointEdit m_PointEdit;
    // Set while the left button's release runs its selection pass: only it places axis markers.
    bool m_bLeftReleasePass = false;

  protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnKeyUp(UINT key, UINT repeat, UINT flags);
    // Overlays of the interaction state.
    void DrawLegend(CDCEx* dc, CRect& inner);
    void DrawZoomRect(CDCEx* dc);
    void DrawMeasures(CDCEx* dc);
    // The measurement from (left, top) to (right, bottom) of points between two curves.
    void DrawMeasure(CDCEx* dc, CRect points, int curve1, int curve2);
    void DrawLiveMeasure(CDCEx* dc);
    void DrawCursor(CDCEx* dc);
    void DrawCursorLabel(CDCEx* dc);
    void DrawEditedValue(CDCEx* dc);
    DECLARE_MESSAGE_MAP()

  private:
    struct HitPass;
    void Notify(UINT message, WPARAM wParam);
    void ResetDrags();
    CRect MarkerBand(int direction, CXGraphAxis& axis, int marker);
    bool CheckMarkers(int direction, int index, bool testOnly, bool& deleted);
    bool CheckAxes(int direction, bool click, bool testOnly, HitPass& pass);
    bool CheckFreeObjects(bool click, bool testOnly, bool& hit);
    int CurveAtMouse();
    void StartPointDrag(int curve);
    void MoveDraggedPoint();
    void LeftReleasePass();
    void DrawOnWindow(void (CXGraph::*draw)(CDCEx*));
    void HideCursorLabel();
    // Zoom, pan and cursor select nothing and release nothing: a curve a click selected before
    // (the right click that opened the context menu) is shown in its own colour again.
    void DeselectCurves();
    void DoZoom();
    void DoPan(CPoint point);
    BOOL PrintInto(CDC* printer, const CRect* area);
    void AdoptModel(ChartArchiveModel& model);
    // Ends label edits (keeping the typed text) and object tracking.
    void EndInteraction();
    void LayoutAxes(CDCEx* dc, const CRect& inner);
    void DrawCurves(CDCEx* dc);
    void KeepImage(CDC* dc, const CRect& rect);
    void DeleteObjectsOfCurve(int curve);
    void RemoveNotation(POSITION at, CXGraphDataNotation* notation);
    bool CurveDrawable(int curve) const;
    void AddTrend(CXGraphDataSerie& serie, bool cubic);
    // Invalidates the window when it exists; true, so that operations can end with it.
    bool Redraw();
    // Puts the cursor on the curve's point at the mouse x: always when forced, else only when
    // that point lies within the snap radius of the mouse y.
    bool SnapCursorTo(int curve, bool force);
    [[noreturn]] static void ThrowClassNotRegistered();
    CPoint PointOnCurve(int curve, int index);
};

// Registers the window class "XGraph" unless it exists; false when that fails.
bool RegisterXGraphClass();
