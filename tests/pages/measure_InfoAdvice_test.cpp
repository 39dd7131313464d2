// The about box and the note dialog, modal, in the three languages: their titles, texts and the
// about box's logo.
#include <gtest/gtest.h>

#include <functional>

#include "pages/MeasurePageTest.h"
#include "pages/measurement/CDlgInfo.h"
#include "res/resource.h"

namespace {

template <class Dialog>
class Scripted : public Dialog {
  public:
    using Dialog::Dialog;
    std::function<void(Scripted&)> onOpen;

  protected:
    BOOL OnInitDialog() override {
        const BOOL result = Dialog::OnInitDialog();
        if (onOpen)
            onOpen(*this);
        this->PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return result;
    }
};

CString ItemText(CWnd& dialog, int id) {
    CString text;
    dialog.GetDlgItemText(id, text);
    return text;
}

}  // namespace

// The fixture gives the resources, texts and settings store; the dialogs make their own windows.
using MeasureInfoAdvice = MeasurePageTest<CDlgInfo>;

TEST_F(MeasureInfoAdvice, AboutAndAdviceShowTheirTextsInEachLanguage) {
    struct Expect {
        int language;
        const char* caption;
        const char* rights;
        const char* headline;
    };
    const Expect expected[] = {
        {LANGUAGE_GERMAN, "Über KQ7-B", "© Brevan S.A.S. Alle Rechte vorbehalten.",
         "Nutzungsbedingungen"},
        {LANGUAGE_ENGLISH, "About KQ7-B", "© Brevan S.A.S. All rights reserved.",
         "Conditions of use"},
        {LANGUAGE_FRENCH, "À propos de KQ7-B", "© Brevan S.A.S. Tous droits réservés.",
         "Conditions d'utilisation"}};
    for (const Expect& e : expected) {
        SetLanguageOffset(e.language);
        Scripted<CDlgInfo> info;
        info.onOpen = [&](Scripted<CDlgInfo>& dlg) {
            CString caption;
            dlg.GetWindowText(caption);
            EXPECT_EQ(caption, e.caption);
            EXPECT_EQ(ItemText(dlg, IDC_INFO_PRODUCT), "KQ7-B");
            EXPECT_EQ(ItemText(dlg, IDC_INFO_VERSION), "Version 2.04");
            EXPECT_EQ(ItemText(dlg, IDC_INFO_MAKER), "Brevan S.A.S.");
            EXPECT_EQ(ItemText(dlg, IDC_INFO_RIGHTS), e.rights);
            // The maker's mark beside the texts.
            CWnd* logo = dlg.GetDlgItem(IDC_INFO_LOGO);
            ASSERT_NE(logo, nullptr);
            EXPECT_NE(logo->SendMessage(STM_GETIMAGE, IMAGE_BITMAP), 0);
            EXPECT_TRUE(logo->GetStyle() & WS_VISIBLE);
        };
        EXPECT_EQ(info.DoModal(), IDOK);

        Scripted<CDlgAdvice> advice(GetLanguageString(5044));
        advice.onOpen = [&](Scripted<CDlgAdvice>& dlg) {
            CString caption;
            dlg.GetWindowText(caption);
            EXPECT_EQ(caption, GetLanguageString(5044));
            CString text;
            dlg.m_wndText.GetWindowText(text);
            EXPECT_EQ(text.Find(e.headline), 0) << text.GetString();
            EXPECT_GT(text.GetLength(), 100);
        };
        EXPECT_EQ(advice.DoModal(), IDOK);
    }
}
