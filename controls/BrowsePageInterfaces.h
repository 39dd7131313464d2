// What the browse control needs of the pages it serves: the main window offers the
// documentation page and the measurement settings page (each null while it does not exist),
// and those pages take the edited path. The change handler finds the owner through the
// application's main window; the control knows neither the frame nor the pages.
#pragma once

class CWnd;

// The documentation page's target directories.
class IBrowseDocumentationPage {
  public:
    virtual void OnBrowseMWTargetDirectory(CWnd* edit) = 0;
    virtual void OnBrowseDMTargetDirectory(CWnd* edit) = 0;
    virtual void OnBrowseIONIOTargetDirectory(CWnd* edit) = 0;

  protected:
    ~IBrowseDocumentationPage() = default;
};

// The measurement settings page's programs run at the start and stop of a measurement.
class IBrowseMeasureAdjustPage {
  public:
    virtual void OnBrowseStartProgram(CWnd* edit) = 0;
    virtual void OnBrowseStopProgram(CWnd* edit) = 0;

  protected:
    ~IBrowseMeasureAdjustPage() = default;
};

// Implemented by the main window.
class IBrowsePageOwner {
  public:
    virtual IBrowseDocumentationPage* BrowseDocumentationPage() = 0;
    virtual IBrowseMeasureAdjustPage* BrowseMeasureAdjustPage() = 0;

  protected:
    ~IBrowsePageOwner() = default;
};
