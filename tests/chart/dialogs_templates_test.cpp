// The chart's seven dialog templates as the chart library installs them: reachable again after
// being uninstalled, with the controls the dialogs exchange (kinds and styles), spins following
// their edits, radio groups, and every page fitting inside the sheet's tab from (8, 25).
#include <gtest/gtest.h>

#include <strings.h>

#include <string>

#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/DialogResources.h"
#include "kq_chart_res.h"
#include "platform/base/Resource.h"
#include "platform/ui/Styles.h"
#include "platform/ui/commctrl/UpDownApi.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Static.h"

namespace {

const kq::ControlTemplate* Control(const kq::DialogTemplate& dialog, int id) {
    for (const kq::ControlTemplate& c : dialog.controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

bool IsClass(const kq::ControlTemplate& c, const char* name) {
    return strcasecmp(std::string(c.className).c_str(), name) == 0;
}

TEST(ChartTemplates, AllSevenLoadAgainAfterBeingUninstalled) {
    kq::chart::EnsureDialogResources();
    kq::UninstallResources(kq::chart::DialogResources());
    EXPECT_EQ(kq::FindDialogTemplate(kq::ResourceName(IDD_XG_PROPERTIES)), nullptr);
    kq::chart::EnsureDialogResources();
    for (int id : {5000, 5011, 5007, 5004, 5012, 5013, 5014})
        EXPECT_NE(kq::FindDialogTemplate(kq::ResourceName(id)), nullptr) << id;
    const kq::DialogTemplate* sheet = kq::FindDialogTemplate(kq::ResourceName(5000));
    EXPECT_EQ(sheet->caption, "XGraph-Properties");
    EXPECT_EQ(kq::FindDialogTemplate(kq::ResourceName(5013))->caption, "Moving average");
}

TEST(ChartTemplates, PagesAreHiddenChildrenWithTheirControls) {
    kq::chart::EnsureDialogResources();
    const kq::DialogTemplate& sheet = *kq::FindDialogTemplate(kq::ResourceName(5000));
    const kq::ControlTemplate& tab = *Control(sheet, IDC_XG_TAB);
    for (int page : {IDD_XG_CHARTPAGE, IDD_XG_AXISPAGE, IDD_XG_CURVEPAGE}) {
        const kq::DialogTemplate& t = *kq::FindDialogTemplate(kq::ResourceName(page));
        EXPECT_EQ(t.style & (WS_CHILD | WS_CAPTION | WS_VISIBLE), WS_CHILD | WS_CAPTION) << page;
        EXPECT_TRUE(t.caption.empty());
        // Inside the tab's display area, which starts at (8, 25) pixels: at least 4 x 12
        // dialog units at this font.
        EXPECT_LE(t.cx + 4, tab.cx) << page;
        EXPECT_LE(t.cy + 14, tab.cy) << page;
        const kq::ControlTemplate* apply = Control(t, IDC_XG_APPLY);
        ASSERT_NE(apply, nullptr);
        EXPECT_TRUE(apply->style & WS_DISABLED);
        for (size_t i = 0; i < t.controls.size(); ++i) {
            const kq::ControlTemplate& c = t.controls[i];
            EXPECT_GE(c.x, 0);
            EXPECT_LE(c.x + c.cx, t.cx) << page << " " << c.id;
            // A drop-down list's height includes its list.
            EXPECT_LE(c.y + (IsClass(c, "COMBOBOX") ? 12 : c.cy), t.cy) << page << " " << c.id;
            if (IsClass(c, "msctls_updown32")) {
                ASSERT_GT(i, 0u);
                EXPECT_TRUE(IsClass(t.controls[i - 1], "EDIT")) << c.id;
                EXPECT_EQ(c.style & (UDS_AUTOBUDDY | UDS_SETBUDDYINT),
                          static_cast<DWORD>(UDS_AUTOBUDDY | UDS_SETBUDDYINT));
            }
            // No control lies over another (a label under a list hides its text); a group box
            // frames its controls.
            const auto height = [](const kq::ControlTemplate& k) {
                return IsClass(k, "COMBOBOX") ? 12 : k.cy;
            };
            const auto framing = [](const kq::ControlTemplate& k) {
                return IsClass(k, "BUTTON") && (k.style & 0x0F) == BS_GROUPBOX;
            };
            for (size_t j = i + 1; j < t.controls.size() && !framing(c); ++j) {
                const kq::ControlTemplate& d = t.controls[j];
                if (framing(d))
                    continue;
                const bool apart = c.x + c.cx <= d.x || d.x + d.cx <= c.x ||
                                   c.y + height(c) <= d.y || d.y + height(d) <= c.y;
                EXPECT_TRUE(apart) << page << ": " << c.id << " over " << d.id;
            }
            if (IsClass(c, "COMBOBOX") && (c.style & CBS_OWNERDRAWFIXED)) {
                EXPECT_EQ(c.style & (CBS_DROPDOWNLIST | CBS_HASSTRINGS),
                          static_cast<DWORD>(CBS_DROPDOWNLIST | CBS_HASSTRINGS));
            }
        }
    }
    const kq::DialogTemplate& curve = *kq::FindDialogTemplate(kq::ResourceName(5004));
    // The program's "line style" text (1012) names the dash patterns, its "style" (1009) the
    // choice of line or points.
    EXPECT_EQ(Control(curve, 1012)->y, Control(curve, IDC_XG_LINESTYLE)->y + 2);
    EXPECT_EQ(Control(curve, 1009)->y, Control(curve, IDC_XG_DRAWMODE)->y + 2);
    EXPECT_TRUE(Control(curve, IDC_XG_FILLSTYLE0)->style & WS_GROUP);
    EXPECT_TRUE(Control(curve, IDC_XG_MARKERTYPE)->style & WS_GROUP);
    EXPECT_TRUE(Control(curve, IDC_XG_MARKERSYMBOL)->style & WS_GROUP);
    EXPECT_TRUE(Control(curve, IDC_XG_LINESTYLE)->style & CBS_OWNERDRAWFIXED);
    int pictures = 0;
    for (const kq::ControlTemplate& c : curve.controls)
        pictures += (c.style & SS_TYPEMASK) == SS_BITMAP && IsClass(c, "STATIC");
    EXPECT_EQ(pictures, 6);
    const kq::DialogTemplate& chart = *kq::FindDialogTemplate(kq::ResourceName(5011));
    for (int id : {1001, 1002, 1003, 1004, 1005, 1006, 1007})
        EXPECT_EQ(Control(chart, id)->text.substr(0, 4), "IDC_") << id;
}

}  // namespace
