// The dialog of every control on the headless screen: what each control shows in its own
// rectangle, and nothing painted between them. The checks count ink and compare colours of
// known areas, so they hold whatever the font looks like; the PNG is left for people to see.
#include <cstring>

#include "ui/showcase_dialog.h"

namespace kq::ui::test {
namespace {

const COLORREF kFace = GetSysColor(COLOR_BTNFACE);
const COLORREF kWindow = GetSysColor(COLOR_WINDOW);
const COLORREF kHighlight = GetSysColor(COLOR_HIGHLIGHT);
const COLORREF kShadow = GetSysColor(COLOR_BTNSHADOW);
const COLORREF kLight = GetSysColor(COLOR_BTNHIGHLIGHT);
const COLORREF kText = GetSysColor(COLOR_WINDOWTEXT);

class ShowcaseScreen : public ShowcaseDialogTest {
  protected:
    void SetUp() override {
        ShowcaseDialogTest::SetUp();
        Show();
        ShowTip();
    }
    // Runs of consecutive rows (or columns) of the rectangle holding a pixel unlike `background`.
    static int InkBands(const RECT& r, COLORREF background, bool rows) {
        int bands = 0;
        bool inBand = false;
        const int first = rows ? r.top : r.left;
        const int last = rows ? r.bottom : r.right;
        for (int i = first; i < last; ++i) {
            const RECT line =
                rows ? RECT{r.left, i, r.right, i + 1} : RECT{i, r.top, i + 1, r.bottom};
            const bool ink = Ink(line, background) > 0;
            bands += ink && !inBand;
            inBand = ink;
        }
        return bands;
    }
    // The square of a check box or radio button: at the left, centred vertically.
    RECT Box(int id) const {
        const RECT r = ScreenRect(id);
        const int top = (r.top + r.bottom - 13) / 2;
        return RECT{r.left, top, r.left + 13, top + 13};
    }
    static int RedInk(const RECT& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = GetScreenPixel(x, y);
                n += GetRValue(c) > 150 && GetGValue(c) < 120 && GetBValue(c) < 120;
            }
        }
        return n;
    }
};

TEST_F(ShowcaseScreen, ButtonsShowTheirStateAndTheDefaultOneItsDarkFrame) {
    const RECT ok = ScreenRect(IDOK);
    const RECT apply = ScreenRect(kApply);
    const int okMid = (ok.top + ok.bottom) / 2;
    EXPECT_EQ(GetScreenPixel(ok.left, okMid), RGB(0, 0, 0));
    EXPECT_EQ(GetScreenPixel(ok.left + 1, okMid), kLight);  // the raised edge inside the frame
    EXPECT_EQ(GetScreenPixel(apply.left, (apply.top + apply.bottom) / 2), kLight);
    EXPECT_GT(Ink(Inset(ok, 4, 4), kFace), 10);
    EXPECT_GT(Ink(Inset(apply, 4, 4), kFace), 10);

    // The checked box has a check, the indeterminate one a grey mark on the face colour, the
    // chosen radio button its dot; the labels beside them have ink.
    EXPECT_GT(Count(Inset(Box(kCheck), 3, 3), kText), 5);
    const RECT three = Inset(Box(kThreeState), 3, 3);
    EXPECT_EQ(Count(three, kText), 0);
    EXPECT_EQ(Count(three, kWindow), 0);
    EXPECT_GT(Count(three, kShadow), 5);
    const RECT dotNm = Inset(Box(kRadioNm), 4, 4);
    const RECT dotLbf = Inset(Box(kRadioLbf), 4, 4);
    EXPECT_GT(Count(dotNm, kText), 3);
    EXPECT_EQ(Count(dotLbf, kText), 0);
    for (int id : {kCheck, kThreeState, kRadioNm, kRadioLbf}) {
        RECT label = ScreenRect(id);
        label.left += 16;
        EXPECT_GT(Ink(label, kFace), 10) << id;
    }

    // The group box: an etched frame with its caption cut into the top line.
    const RECT group = ScreenRect(kGroup);
    const int groupMid = (group.top + group.bottom) / 2;
    EXPECT_EQ(GetScreenPixel(group.left, groupMid), kShadow);
    EXPECT_EQ(GetScreenPixel(group.left + 1, groupMid), kLight);
    EXPECT_GT(Ink(RECT{group.left + 4, group.top, group.left + 40, group.top + 10}, kFace), 10);
}

TEST_F(ShowcaseScreen, StaticsAndEditsShowTheirTextFramesAndIcon) {
    EXPECT_GT(Ink(ScreenRect(kLabel), kFace), 15);
    const RECT etched = ScreenRect(kEtched);
    const int etchedMid = (etched.top + etched.bottom) / 2;
    EXPECT_EQ(GetScreenPixel(etched.left, etchedMid), kShadow);
    EXPECT_EQ(GetScreenPixel(etched.left + 1, etchedMid), kLight);
    EXPECT_EQ(Ink(Inset(etched, 2, 2), kFace), 0);
    EXPECT_GT(Ink(ScreenRect(kIcon), kFace), 200);

    // The edits: sunken, on the window colour, with their text; three lines in the multi-line one.
    for (int id : {kEdit, kBuddy, kMultiLine}) {
        const RECT r = ClientScreenRect(id);
        EXPECT_EQ(GetScreenPixel(r.left - 1, r.top - 1), RGB(0, 0, 0)) << id;
        EXPECT_GT(Count(r, kWindow), (r.right - r.left) * 4) << id;
        EXPECT_GT(Dark(r), 10) << id;
    }
    EXPECT_EQ(InkBands(ClientScreenRect(kMultiLine), kWindow, true), 3);

    // The up-down sits at the right of its buddy with an arrow in each half.
    const RECT spin = ScreenRect(kSpin);
    const RECT buddy = ScreenRect(kBuddy);
    EXPECT_EQ(spin.left, buddy.right);
    EXPECT_EQ(spin.top, buddy.top);
    const int spinMid = (spin.top + spin.bottom) / 2;
    EXPECT_GT(Count(RECT{spin.left, spin.top, spin.right, spinMid}, kText), 2);
    EXPECT_GT(Count(RECT{spin.left, spinMid, spin.right, spin.bottom}, kText), 2);
}

TEST_F(ShowcaseScreen, ListsCombosScrollBarAndDatePickerShowTheirContent) {
    // The list box: the chosen line in the highlight colour over its full width, not the others.
    HWND list = Item(kListBox);
    RECT line{};
    SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&line));
    line = ToScreen(list, line);
    const int lineMid = (line.top + line.bottom) / 2;
    EXPECT_EQ(GetScreenPixel(line.right - 2, lineMid), kHighlight);
    EXPECT_GT(Count(line, kHighlight), (line.right - line.left) * (line.bottom - line.top) / 2);
    EXPECT_EQ(GetScreenPixel(line.right - 2, lineMid - (line.bottom - line.top)), kWindow);
    EXPECT_GT(Ink(line, kHighlight), 10);  // its text
    for (int i : {0, 2, 3}) {
        RECT other{};
        SendMessage(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&other));
        EXPECT_GT(Dark(ToScreen(list, other)), 10) << i;
    }

    // The combo boxes show only their field with the chosen text and a button with an arrow.
    for (int id : {kCombo, kDropList}) {
        const RECT r = ScreenRect(id);
        EXPECT_LT(r.bottom - r.top, 30) << id;
        const int arrowLeft = r.right - GetSystemMetrics(SM_CXVSCROLL) - 2;
        EXPECT_GT(Ink(RECT{r.left + 2, r.top + 2, arrowLeft, r.bottom - 2}, kWindow), 15) << id;
        EXPECT_GT(Count(RECT{arrowLeft, r.top + 2, r.right - 2, r.bottom - 2}, kFace), 20) << id;
        EXPECT_GT(Count(RECT{arrowLeft, r.top + 2, r.right - 2, r.bottom - 2}, kText), 3) << id;
    }

    // The scroll bar: arrow buttons at both ends and the thumb raised at 30 of 0..100.
    const RECT bar = ScreenRect(kScroll);
    const int arrow = bar.bottom - bar.top;
    const int barMid = (bar.top + bar.bottom) / 2;
    EXPECT_GT(Count(RECT{bar.left, bar.top, bar.left + arrow, bar.bottom}, kText), 3);
    EXPECT_GT(Count(RECT{bar.right - arrow, bar.top, bar.right, bar.bottom}, kText), 3);
    // The track is dithered; the thumb's light edge is light all the way down.
    int thumbLeft = -1;
    for (int x = bar.left + arrow + 1; x < bar.right - arrow && thumbLeft < 0; ++x) {
        if (GetScreenPixel(x, barMid) == kLight && GetScreenPixel(x, barMid + 1) == kLight)
            thumbLeft = x;
    }
    // The track shows: light and face pixels alternate left of the thumb.
    EXPECT_EQ(GetScreenPixel(bar.left + arrow + 2, barMid) == kLight,
              GetScreenPixel(bar.left + arrow + 3, barMid) != kLight);
    const int track = bar.right - bar.left - 2 * arrow;
    EXPECT_NEAR(thumbLeft, bar.left + arrow + track * 30 / 101, 3);

    // The date picker: its date on the window colour and its drop-down button.
    const RECT date = ScreenRect(kDate);
    EXPECT_EQ(GetScreenPixel(date.left + 2, date.top + 2), kWindow);
    EXPECT_GT(Ink(RECT{date.left, date.top, date.left + (date.right - date.left) / 2, date.bottom},
                  kWindow),
              30);
    EXPECT_GT(Count(RECT{date.right - 14, date.top, date.right, date.bottom}, kFace), 20);
}

TEST_F(ShowcaseScreen, TheListViewShowsHeaderRowsGridAndTheSelectedRowOverItsFullWidth) {
    HWND list = Item(kListView);
    ASSERT_EQ(GetFocus(), list);
    HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    const RECT head = WindowRect(header);
    EXPECT_GT(Count(head, kFace), (head.right - head.left) * 4);
    for (int c = 0; c < 3; ++c) {
        RECT item{};
        SendMessage(header, HDM_GETITEMRECT, c, reinterpret_cast<LPARAM>(&item));
        EXPECT_GT(Ink(Inset(ToScreen(header, item), 3, 3), kFace), 10) << c;
    }

    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessage(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    row = ToScreen(list, row);
    EXPECT_EQ(row.right - row.left, 90 + 80 + 80);
    const int rowMid = (row.top + row.bottom) / 2;
    // Through every column, text aside, and no further.
    EXPECT_GT(Count(row, kHighlight), (row.right - row.left) * (row.bottom - row.top) / 2);
    EXPECT_EQ(GetScreenPixel(row.left + 85, rowMid), kHighlight);
    EXPECT_EQ(GetScreenPixel(row.right - 5, rowMid), kHighlight);
    EXPECT_EQ(GetScreenPixel(row.right + 3, rowMid), kWindow);
    EXPECT_EQ(Count(RECT{row.left, row.top - 8, row.right, row.top - 4}, kHighlight), 0);
    // The other rows have their text in the text colour on the window colour.
    RECT first = row;
    OffsetRect(&first, 0, -(row.bottom - row.top));
    EXPECT_GT(Dark(first), 20);

    // Grid lines under each row and at the right of each column, down to the bottom.
    RECT all{};
    GetClientRect(list, &all);
    all = ToScreen(list, all);
    const int lineY = first.bottom - 1;
    EXPECT_GT(Count(RECT{all.left, lineY, all.right, lineY + 1}, kFace),
              (all.right - all.left) / 2);
    for (int x : {row.left + 89, row.left + 169, row.left + 249}) {
        EXPECT_EQ(Count(RECT{x, row.bottom + 2, x + 1, all.bottom}, kFace),
                  all.bottom - row.bottom - 2)
            << x;
    }
}

TEST_F(ShowcaseScreen, TheTreeShowsItsExpandedBranchButtonsLinesAndSelection) {
    HWND tree = Item(kTree);
    const auto itemRect = [tree](HTREEITEM item, bool textOnly) {
        RECT r{};
        std::memcpy(&r, &item, sizeof item);  // the item goes in, the rectangle comes out
        SendMessage(tree, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&r));
        return ToScreen(tree, r);
    };
    const auto next = [tree](UINT how, HTREEITEM from) {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
    };
    HTREEITEM sensors = next(TVGN_ROOT, nullptr);
    HTREEITEM torque = next(TVGN_CHILD, sensors);
    HTREEITEM logs = next(TVGN_NEXT, sensors);
    const RECT sensorsText = itemRect(sensors, true);
    const RECT torqueText = itemRect(torque, true);
    const RECT speedText = itemRect(speed_, true);
    const RECT logsRow = itemRect(logs, false);
    // The children stand below their parent, indented, with ink; the closed branch shows none.
    EXPECT_GT(torqueText.left, sensorsText.left);
    EXPECT_EQ(torqueText.top, sensorsText.bottom);
    EXPECT_EQ(speedText.top, torqueText.bottom);
    EXPECT_EQ(logsRow.top, speedText.bottom);
    EXPECT_GT(Dark(torqueText), 10);
    EXPECT_GT(Dark(sensorsText), 10);
    RECT below = logsRow;
    OffsetRect(&below, 0, logsRow.bottom - logsRow.top);
    below.left += 2;
    EXPECT_EQ(Ink(below, kWindow), 0);
    // The selection, without the focus, on the face colour.
    EXPECT_GT(Count(speedText, kFace), (speedText.right - speedText.left) * 3);
    EXPECT_GT(Dark(speedText), 10);
    // The buttons and lines in the indent: a minus for the open branch, a plus for the closed.
    const RECT openIndent{logsRow.left, sensorsText.top, sensorsText.left, sensorsText.bottom};
    const RECT closedIndent{logsRow.left, logsRow.top, sensorsText.left, logsRow.bottom};
    const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_GT(Count(openIndent, gray), 8);
    const int plus = Count(closedIndent, kText);
    EXPECT_GT(plus, Count(openIndent, kText));
    EXPECT_GT(
        Count(RECT{sensorsText.left, torqueText.top, torqueText.left, torqueText.bottom}, gray), 3);
}

TEST_F(ShowcaseScreen, TrackbarProgressAndTabsShowTheirPosition) {
    HWND track = Item(kTrack);
    RECT thumb{};
    SendMessage(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    RECT channel{};
    SendMessage(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    thumb = ToScreen(track, thumb);
    channel = ToScreen(track, channel);
    EXPECT_EQ(GetScreenPixel(thumb.left, thumb.top + 3), kLight);
    EXPECT_GT(Count(Inset(thumb, 2, 2), kFace), 10);
    // A tick for each of 0..10 below the thumb, spread over the channel; the thumb's point is
    // on the tick of its position.
    const RECT trackRect = ScreenRect(kTrack);
    std::vector<int> ticks;
    bool inTick = false;
    for (int x = trackRect.left; x < trackRect.right; ++x) {
        const bool ink = Ink(RECT{x, thumb.bottom + 1, x + 1, trackRect.bottom}, kFace) > 0;
        if (ink && !inTick)
            ticks.push_back(x);
        inTick = ink;
    }
    ASSERT_EQ(ticks.size(), 11u);
    EXPECT_GE(ticks.front(), channel.left);
    EXPECT_LE(ticks.back(), channel.right);
    EXPECT_NEAR(ticks[5] - ticks[0], ticks[10] - ticks[5], 1);
    EXPECT_NEAR(ticks[kTrackPos], (thumb.left + thumb.right - 1) / 2, 1);

    // The progress bar: a sunken frame and the fill up to 60 % of what lies inside it.
    const RECT bar = ScreenRect(kProgress);
    const int barMid = (bar.top + bar.bottom) / 2;
    EXPECT_EQ(GetScreenPixel(bar.left, barMid), kShadow);
    EXPECT_EQ(GetScreenPixel(bar.right - 1, barMid), kLight);
    const int inner = bar.right - bar.left - 2;
    EXPECT_NEAR(Count(RECT{bar.left, barMid, bar.right, barMid + 1}, kHighlight),
                inner * kProgressPercent / 100, 1);
    EXPECT_EQ(GetScreenPixel(bar.left + 1, barMid), kHighlight);

    // The chosen tab stands higher than the others and opens into the page below.
    HWND tabs = Item(kTabs);
    RECT chosen{};
    RECT other{};
    SendMessage(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&chosen));
    SendMessage(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&other));
    chosen = ToScreen(tabs, chosen);
    other = ToScreen(tabs, other);
    EXPECT_EQ(GetScreenPixel(chosen.left + 5, chosen.top - 2), kLight);
    EXPECT_EQ(GetScreenPixel(other.left + 5, chosen.top - 2), kFace);
    EXPECT_EQ(GetScreenPixel(other.left + 5, other.top), kLight);
    EXPECT_EQ(GetScreenPixel((other.left + other.right) / 2, other.bottom), kLight);
    EXPECT_EQ(GetScreenPixel((chosen.left + chosen.right) / 2, chosen.bottom), kFace);
    for (int i = 0; i < 3; ++i) {
        RECT tab{};
        SendMessage(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tab));
        EXPECT_GT(Ink(Inset(ToScreen(tabs, tab), 3, 3), kFace), 10) << i;
    }
}

TEST_F(ShowcaseScreen, TheRichEditShowsItsRedAndBoldRuns) {
    HWND rich = Item(kRich);
    const auto line = [&](int n) {
        const int start = static_cast<int>(SendMessage(rich, EM_LINEINDEX, n, 0));
        POINT at{};
        SendMessage(rich, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), start);
        RECT client{};
        GetClientRect(rich, &client);
        return ToScreen(rich, RECT{client.left, at.y, client.right, at.y + 1});
    };
    const RECT l0 = line(0);
    const RECT l1 = line(1);
    const RECT l2 = line(2);
    const int height = l1.top - l0.top;
    ASSERT_GT(height, 8);
    const auto band = [height](RECT r) {
        r.bottom = r.top + height;
        return r;
    };
    const int plain = Dark(band(l0));
    EXPECT_GT(plain, 20);
    EXPECT_EQ(RedInk(band(l0)), 0);
    EXPECT_GT(RedInk(band(l1)), 20);
    EXPECT_EQ(Dark(band(l1)), 0);
    EXPECT_EQ(l2.top - l1.top, height);
    EXPECT_GT(Dark(band(l2)), plain * 6 / 5);  // the same word, bold
}

TEST_F(ShowcaseScreen, TheToolTipIsOnTopAndNoControlPaintsOutsideItsRectangle) {
    ASSERT_TRUE(IsWindowVisible(tip_));
    const RECT tip = WindowRect(tip_);
    const RECT all = WindowRect(dialog_);
    RECT overlap{};
    EXPECT_TRUE(IntersectRect(&overlap, &tip, &all));
    EXPECT_EQ(GetScreenPixel(tip.left, tip.top), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_GT(Count(Inset(overlap, 2, 2), GetSysColor(COLOR_INFOBK)), 20);
    EXPECT_GT(Ink(Inset(tip, 2, 2), GetSysColor(COLOR_INFOBK)), 20);
    EXPECT_GT(tip.top, TipPoint().y);

    // Between the controls the dialog keeps its face colour.
    std::vector<RECT> taken{tip};
    for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        taken.push_back(WindowRect(child));
    RECT client{};
    GetClientRect(dialog_, &client);
    client = ToScreen(dialog_, client);
    int stray = 0;
    for (int y = client.top; y < client.bottom; ++y) {
        for (int x = client.left; x < client.right; ++x) {
            const POINT pt{x, y};
            bool inside = false;
            for (const RECT& r : taken)
                inside = inside || PtInRect(&r, pt);
            stray += !inside && GetScreenPixel(x, y) != kFace;
        }
    }
    EXPECT_EQ(stray, 0);

    std::string error;
    EXPECT_TRUE(SaveScreenshot("showcase_headless.png", &all, {false, false}, &error)) << error;
}

}  // namespace
}  // namespace kq::ui::test
