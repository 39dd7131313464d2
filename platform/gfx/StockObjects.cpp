#include "platform/gfx/StockObjects.h"

#include <array>
#include <cstring>
#include <memory>

#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/HandleTable.h"

namespace kq::gfx {

namespace {

HGDIOBJ Permanent(std::shared_ptr<GdiObject> obj) {
    obj->stock = true;
    return HandleTable::Instance().Add(std::move(obj));
}

HGDIOBJ SolidBrush(COLORREF c) {
    auto b = std::make_shared<BrushObject>();
    b->style = BS_SOLID;
    b->color = c;
    return Permanent(b);
}

HGDIOBJ Pen(int style, COLORREF c) {
    auto p = std::make_shared<PenObject>();
    p->style = style;
    p->width = 0;
    p->color = c;
    return Permanent(p);
}

HGDIOBJ Font(const char* face, int height, int weight, BYTE pitchAndFamily) {
    auto f = std::make_shared<FontObject>();
    f->logFont.lfHeight = height;
    f->logFont.lfWeight = weight;
    f->logFont.lfCharSet = ANSI_CHARSET;
    f->logFont.lfPitchAndFamily = pitchAndFamily;
    std::strncpy(f->logFont.lfFaceName, face, LF_FACESIZE - 1);
    return Permanent(f);
}

struct StockSet {
    std::array<HGDIOBJ, 20> objects{};
    HBITMAP bitmap = nullptr;

    StockSet() {
        objects[WHITE_BRUSH] = SolidBrush(RGB(255, 255, 255));
        objects[LTGRAY_BRUSH] = SolidBrush(RGB(192, 192, 192));
        objects[GRAY_BRUSH] = SolidBrush(RGB(128, 128, 128));
        objects[DKGRAY_BRUSH] = SolidBrush(RGB(64, 64, 64));
        objects[BLACK_BRUSH] = SolidBrush(RGB(0, 0, 0));
        auto nullBrush = std::make_shared<BrushObject>();
        nullBrush->style = BS_NULL;
        objects[NULL_BRUSH] = Permanent(nullBrush);
        objects[WHITE_PEN] = Pen(PS_SOLID, RGB(255, 255, 255));
        objects[BLACK_PEN] = Pen(PS_SOLID, RGB(0, 0, 0));
        objects[NULL_PEN] = Pen(PS_NULL, RGB(0, 0, 0));
        objects[OEM_FIXED_FONT] = Font("Terminal", 12, FW_NORMAL, FIXED_PITCH | FF_MODERN);
        objects[ANSI_FIXED_FONT] = Font("Courier", 12, FW_NORMAL, FIXED_PITCH | FF_MODERN);
        objects[ANSI_VAR_FONT] = Font("MS Sans Serif", 12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
        objects[SYSTEM_FONT] = Font("System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
        objects[DEVICE_DEFAULT_FONT] = Font("System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
        auto palette = std::make_shared<PaletteObject>();
        static const BYTE kDefault[20][3] = {
            {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
            {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
            {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
            {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
        for (const auto& c : kDefault)
            palette->entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
        objects[DEFAULT_PALETTE] = Permanent(palette);
        objects[SYSTEM_FIXED_FONT] = Font("Fixedsys", 15, FW_NORMAL, FIXED_PITCH | FF_MODERN);
        objects[DEFAULT_GUI_FONT] = Font("MS Shell Dlg", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
        auto dcBrush = std::make_shared<BrushObject>();
        dcBrush->style = BS_SOLID;
        dcBrush->color = RGB(255, 255, 255);
        dcBrush->dcBrush = true;
        objects[DC_BRUSH] = Permanent(dcBrush);
        auto dcPen = std::make_shared<PenObject>();
        dcPen->dcPen = true;
        objects[DC_PEN] = Permanent(dcPen);

        auto bmp = std::make_shared<BitmapObject>();
        bmp->surface = Surface::Create(1, 1);
        bmp->surface->SetMonochrome(true);
        bmp->bitsPixel = 1;
        bitmap = static_cast<HBITMAP>(Permanent(bmp));
    }
};

StockSet& Stock() {
    static StockSet* set = new StockSet();  // lives for the whole process
    return *set;
}

}  // namespace

HGDIOBJ StockObject(int index) {
    if (index < 0 || index >= 20 || index == 9)
        return nullptr;
    return Stock().objects[static_cast<size_t>(index)];
}

HBITMAP StockBitmap() {
    return Stock().bitmap;
}

}  // namespace kq::gfx

HGDIOBJ GetStockObject(int index) {
    return kq::gfx::StockObject(index);
}
