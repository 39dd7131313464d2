// CPrintRegion: a rectangle of a page with its own origin, limits, background fill and title
// band. The region forms of the page's operations are relative to its inner origin and clamped
// to its right and bottom. Regions are made by CPage::AddRegion and owned by the page.
#pragma once

class CPage;

class CPrintRegion {
  public:
    explicit CPrintRegion(int fillFlags) : fill(fillFlags) {}
    virtual ~CPrintRegion() = default;

    // Takes the box (page units) and paints the background once. False when the box reaches
    // outside the page or is inverted; right and bottom are pulled back to the page's limits.
    virtual bool Place(CPage* owner, int boxTop, int boxLeft, int boxRight, int boxBottom);
    // A band across the top with the text in it (single line, vertically centred); rows of the
    // region start below it. Without kTextFilledBox the band is two text heights tall.
    virtual void PrintTitle(const char* text, int pointSize, int textFlags, int fillFlags);
    // The region's outline with the page's current fill and line style.
    virtual void DrawFrame();

    int innerTop = 0;
    int innerLeft = 0;
    int top = 0;
    int left = 0;
    int right = 0;
    int bottom = 0;
    // Above 0 text, lines and boxes in the region get a transparent background; above 2 (dark
    // grey or black) they are white.
    int fill = 0;
    CPage* page = nullptr;
};
