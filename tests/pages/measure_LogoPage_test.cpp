// The logo page: the maker's mark loaded on first use, placed at the origin and zoom asked.
#include <gtest/gtest.h>

#include "pages/MeasurePageTest.h"
#include "pages/measurement/CDlgTKBk.h"

using MeasureLogoPage = MeasurePageTest<CDlgTKBk>;

TEST_F(MeasureLogoPage, TheLogoTakesItsOriginAndZoom) {
    CDlgTKBk& page = Open();
    page.MoveWindow(0, 0, 1201, 900, TRUE);
    ASSERT_NE(page.m_wndLogo.m_hWnd, nullptr);
    EXPECT_EQ(page.m_wndLogo.GetBitmap(), nullptr);  // not before its first use
    page.ShowLogo(496, 346, 1.3);
    Pump();
    ASSERT_NE(page.m_wndLogo.GetBitmap(), nullptr);
    const CRect dest = page.m_wndLogo.GetDestRect();
    EXPECT_EQ(dest.left, 496);
    EXPECT_EQ(dest.top, 346);
    EXPECT_EQ(dest.Width(), 209);
    EXPECT_EQ(dest.Height(), 209);
    CRect client;
    page.m_wndLogo.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 1201);
}
