// A BMP file printed into a box of the page: read whole into one block, stretched into the box
// with StretchDIBits (the box is not moved by the centring offset) and released again, all
// within the one call.
#include <cstdlib>

#include "controls/print/BitmapFileReader.h"
#include "controls/print/Page.h"
#include "controls/print/PrinterGeometry.h"

namespace kq::print {

bool StretchBitmap(HDC dc, int x, int y, int width, int height, const std::vector<uint8_t>& block) {
    BITMAPINFOHEADER header;
    if (!QueryBitmapHeader(block, header))
        return false;
    const uint8_t* bits = block.data() + header.biSize + ColorTableBytes(block.data());
    const int rows = std::abs(header.biHeight);
    return ::StretchDIBits(dc, x, y, width, height, 0, 0, header.biWidth, rows, bits,
                           reinterpret_cast<const BITMAPINFO*>(block.data()), DIB_RGB_COLORS,
                           SRCCOPY) != 0;
}

}  // namespace kq::print

using kq::print::ClampToInt;

bool CPage::PrintBitmap(PageState& s) {
    if (s.dc == nullptr || s.text.empty())
        return false;
    std::optional<std::vector<uint8_t>> block;
    {
        kq::print::LegacyFileSource file(s.text.c_str());
        if (!file.IsOpen())
            return false;
        block = kq::print::ReadWholeBitmap(file);
    }
    if (!block)
        return false;
    const int width = ClampToInt(int64_t{s.right} - s.left);
    const int height = ClampToInt(int64_t{s.bottom} - s.top);
    s.right = width;
    s.bottom = height;
    // The printer may want to know where the picture goes.
    const int32_t bounds[4] = {s.left, s.top, width, height};
    s.dc->Escape(SET_BOUNDS, sizeof(bounds), reinterpret_cast<LPCSTR>(bounds), nullptr);
    return kq::print::StretchBitmap(s.dc->m_hDC, s.left, s.top, width, height, *block);
}

bool CPage::DrawBitmapFile(int top, int left, int bottom, int right, const char* path) {
    PushState();
    m_state.SetBox(left, top, right, bottom);
    m_state.text = path != nullptr ? path : "";
    const bool drawn = PrintBitmap(m_state);
    PopState();
    return drawn;
}

bool CPage::DrawBitmapFile(double top, double left, double bottom, double right, const char* path) {
    BoxToUnits(top, left, bottom, right);
    return DrawBitmapFile(static_cast<int>(top), static_cast<int>(left), static_cast<int>(bottom),
                          static_cast<int>(right), path);
}
