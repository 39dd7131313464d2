// Printing from a view: the printer's choice (dialog or direct), the page loop with its hooks in
// order, page ranges, and what a cancelled or failing job leaves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/FrameworkTest.h"
#include "platform/base/Resource.h"
#include "platform/ui/commdlg/CommonDialogHook.h"

namespace {

using kq::fw::test::FrameworkTest;

constexpr UINT kIdrPrint = 140;
const kq::StringResource kStrings[] = {{kIdrPrint, "Print frame\nMessen"}};
const kq::ResourceBundle kBundle{kStrings, {}, {}, {}, {}};

std::vector<std::string> g_calls;
UINT g_pages = 0;  // 0: the view does not know its page count

class CPrintDoc : public CDocument {
    DECLARE_DYNCREATE(CPrintDoc)
};
IMPLEMENT_DYNCREATE(CPrintDoc, CDocument)

class CPrintView : public CView {
    DECLARE_DYNCREATE(CPrintView)
  public:
    CRect lastDraw;
    BOOL printingDc = FALSE;
    void OnDraw(CDC* pDC) override {
        g_calls.push_back("draw");
        printingDc = pDC->IsPrinting();
    }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
        g_calls.push_back("prepare");
        if (g_pages != 0)
            pInfo->SetMaxPage(g_pages);
        return CView::OnPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC*, CPrintInfo*) override { g_calls.push_back("begin"); }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
        g_calls.push_back("page " + std::to_string(pInfo->m_nCurPage));
        lastDraw = pInfo->m_rectDraw;
        CView::OnPrint(pDC, pInfo);
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { g_calls.push_back("end"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CPrintView, CView)
BEGIN_MESSAGE_MAP(CPrintView, CView)
ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrint)
END_MESSAGE_MAP()

class CPrintFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CPrintFrame)
};
IMPLEMENT_DYNCREATE(CPrintFrame, CFrameWnd)

class Printing : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kBundle);
        g_calls.clear();
        g_pages = 0;
        app_ = std::make_unique<CWinApp>("PrintApp");
        app_->AddDocTemplate(new CSingleDocTemplate(kIdrPrint, RUNTIME_CLASS(CPrintDoc),
                                                    RUNTIME_CLASS(CPrintFrame),
                                                    RUNTIME_CLASS(CPrintView)));
        CCommandLineInfo info;
        ASSERT_TRUE(app_->ProcessShellCommand(info));
        frame_ = DYNAMIC_DOWNCAST(CFrameWnd, app_->m_pMainWnd);
        ASSERT_NE(frame_, nullptr);
        pdf_ = folder_.Path() + "/out.pdf";
        kq::gfx::PrinterSettings settings;
        settings.file = pdf_;
        settings.dpi = 50;  // small pages keep the test fast
        kq::fw::SetDefaultPrinterSettings(settings);
    }
    void TearDown() override {
        kq::ui::SetCommonDialogHook(nullptr);
        kq::fw::SetPrintDialogFunction(nullptr);
        kq::fw::SetDefaultPrinterSettings({});
        FrameworkTest::TearDown();
        app_.reset();
        kq::UninstallResources(kBundle);
    }
    // The number of pages in the PDF written, -1 when there is no file.
    int PdfPages() const {
        std::ifstream in(pdf_, std::ios::binary);
        if (!in)
            return -1;
        std::stringstream text;
        text << in.rdbuf();
        const std::string body = text.str();
        int pages = 0;
        for (size_t at = body.find("/Type /Page "); at != std::string::npos;
             at = body.find("/Type /Page ", at + 1))
            ++pages;
        return pages;
    }
    CPrintView* View() { return DYNAMIC_DOWNCAST(CPrintView, frame_->GetActiveView()); }

    std::unique_ptr<CWinApp> app_;
    CFrameWnd* frame_ = nullptr;
    std::string pdf_;
};

TEST_F(Printing, DirectPrintingUsesTheDefaultPrinterAndCallsTheHooksInOrder) {
    g_pages = 3;
    frame_->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"prepare", "begin", "page 1", "draw", "page 2",
                                                 "draw", "page 3", "draw", "end"}));
    EXPECT_EQ(PdfPages(), 3);
    EXPECT_TRUE(View()->printingDc);
    // The printable area of an A4 sheet at 50 dpi, less the margins.
    EXPECT_EQ(View()->lastDraw.left, 0);
    EXPECT_GT(View()->lastDraw.Width(), 300);
    EXPECT_LT(View()->lastDraw.Width(), 414);
    EXPECT_GT(View()->lastDraw.Height(), View()->lastDraw.Width());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Printing, AViewThatDoesNotKnowItsLengthPrintsOnePage) {
    frame_->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(PdfPages(), 1);
}

TEST_F(Printing, TheWindowSystemsPrintDialogCancelsOrChoosesThePdfPrinter) {
    // Cancel: nothing printed.
    kq::ui::SetCommonDialogHook([](const kq::ui::CommonDialogRequest& request) {
        EXPECT_EQ(request.kind, kq::ui::CommonDialogKind::Print);
        kq::ui::CommonDialogAnswer answer;
        answer.ok = false;
        return std::optional<kq::ui::CommonDialogAnswer>(answer);
    });
    frame_->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(g_calls, std::vector<std::string>{"prepare"});
    EXPECT_FALSE(std::filesystem::exists(pdf_));

    // The PDF printer with a file: the job goes there.
    g_calls.clear();
    g_pages = 2;
    const std::string chosen = folder_.Path() + "/dialog.pdf";
    kq::ui::SetCommonDialogHook([&](const kq::ui::CommonDialogRequest&) {
        kq::ui::CommonDialogAnswer answer;
        answer.text = "PDF";
        answer.file = chosen;
        return std::optional<kq::ui::CommonDialogAnswer>(answer);
    });
    frame_->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    kq::ui::SetCommonDialogHook(nullptr);
    EXPECT_EQ(g_calls.back(), "end");
    pdf_ = chosen;
    EXPECT_EQ(PdfPages(), 2);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Printing, ThePrintDialogChoosesThePrinterAndThePages) {
    g_pages = 5;
    const std::string chosen = folder_.Path() + "/chosen.pdf";
    int asked = 0;
    kq::fw::SetPrintDialogFunction([&](CPrintInfo& info) {
        ++asked;
        EXPECT_EQ(info.m_printer.file, pdf_);  // starts from the default printer
        EXPECT_EQ(info.GetMaxPage(), 5u);
        info.m_printer.file = chosen;
        info.m_nFromPage = 2;
        info.m_nToPage = 3;
        info.m_hPrinterDC = kq::gfx::CreatePrinterOutputDC(info.m_printer);
        return 1;  // IDOK
    });
    frame_->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"prepare", "begin", "page 2", "draw", "page 3",
                                                 "draw", "end"}));
    EXPECT_FALSE(std::filesystem::exists(pdf_));
    pdf_ = chosen;
    EXPECT_EQ(PdfPages(), 2);
}

TEST_F(Printing, ACancelledDialogLeavesNoJobAndNoDC) {
    kq::fw::SetPrintDialogFunction([](CPrintInfo&) { return 2; });
    frame_->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(g_calls, std::vector<std::string>{"prepare"});
    EXPECT_FALSE(std::filesystem::exists(pdf_));
}

TEST_F(Printing, AJobThatCannotStartIsReportedAndEndsThePrinting) {
    kq::gfx::PrinterSettings settings;
    settings.file = folder_.Path() + "/missing/folder/out.pdf";
    settings.dpi = 50;
    kq::fw::SetDefaultPrinterSettings(settings);
    frame_->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Failed to start print job.");
    EXPECT_EQ(g_calls.back(), "end");
}

TEST_F(Printing, APrintInfoDeletesAPrinterDcNobodyTookOver) {
    CPrintInfo info;
    EXPECT_EQ(info.GetFromPage(), 1u);
    EXPECT_EQ(info.GetToPage(), 0xFFFFu);
    info.m_hPrinterDC = kq::gfx::CreatePrinterOutputDC(kq::fw::DefaultPrinterSettings());
    ASSERT_NE(info.m_hPrinterDC, nullptr);
    HDC taken = info.DetachPrinterDC();
    EXPECT_EQ(info.m_hPrinterDC, nullptr);
    EXPECT_TRUE(::DeleteDC(taken));
}

}  // namespace
