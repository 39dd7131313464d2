// The fixture of the measurement pages' window tests: the framework fixture with the
// application's resources and texts, an application object with a private settings store, and a
// parent window for one page of type Page made from its own template.
#pragma once

#include <memory>

#include "foundation/Language.h"
#include "framework/FrameworkTest.h"
#include "kq_res.h"
#include "platform/base/Resource.h"

template <class Page>
class MeasurePageTest : public kq::fw::test::FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kq_res_bundle());
        app_ = std::make_unique<CWinApp>("PagesApp");
        app_->SetRegistryKey("Test");
        SetLanguageOffset(LANGUAGE_GERMAN);
        parent_ = CreateTopLevel(RECT{0, 0, 900, 700});
    }
    void TearDown() override {
        page_.reset();
        SetLanguageOffset(LANGUAGE_GERMAN);
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kq_res_bundle());
    }
    Page& Open() {
        page_ = std::make_unique<Page>();
        EXPECT_TRUE(page_->Create(MAKEINTRESOURCE(Page::IDD), CWnd::FromHandle(parent_)));
        page_->ShowWindow(SW_SHOW);
        Pump();
        return *page_;
    }

    std::unique_ptr<CWinApp> app_;
    std::unique_ptr<Page> page_;
    HWND parent_ = nullptr;
};
