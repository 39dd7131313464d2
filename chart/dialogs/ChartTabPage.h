// What the three pages of the chart's property sheet share: Enter and Escape stay in the page,
// OK and Cancel go to the sheet, Apply reports whether it wrote, and the owner-drawn pen-style
// lists draw their dashes the same way.
#pragma once

#include "platform/framework/Controls.h"
#include "platform/framework/Dialog.h"

class CChartPage;
class CXGraph;

class CChartTabPage : public CDialog {
  public:
    explicit CChartTabPage(UINT templateId) : CDialog(templateId) {}

    // Writes the page into the chart; false when a field is refused (nothing more is written).
    virtual bool Apply() = 0;
    // Fills the controls from the chart again and disables Apply.
    virtual void Load() = 0;
    // Whether the page's axis or curve exists; a page without one stays disabled.
    virtual bool HasItem() const { return true; }
    bool IsApplyPending() const;
    void EnableApply(BOOL enable);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override;
    void OnCancel() override;

    // The sheet holding the page: its first ancestor that is no child window.
    CChartPage* GetSheet() const;

  protected:
    // True while the user edits: the window is shown and no load is filling it.
    bool IsEditing() const;
    // Invalidates the chart with erase when its window exists.
    static void RedrawChart(CXGraph* graph);
    void OnApplyClicked();
    LRESULT OnColourChanged(WPARAM, LPARAM);
    bool m_bLoading = false;
};

namespace kq::chart {

// Replaces the entries of the dialog's list with the given texts, in order.
void FillList(CWnd* dialog, int listId, const char* const* texts, int count);
// An item of a pen-style list: the highlight or window colour behind one black line of the
// item's pen style, 6 pixels below the item's top; items from 5 on are left empty.
void DrawPenStyleItem(const DRAWITEMSTRUCT& item);
// A selection of -1 keeps the previous value.
inline int ChosenOr(int selection, int previous) {
    return selection < 0 ? previous : selection;
}

}  // namespace kq::chart
