#include "platform/ui/controls/TextMetrics.h"

#include <mutex>

#include "platform/ui/controls/GdiTextMetrics.h"
#include "platform/ui/controls/Utf8Text.h"

namespace kq::ui {
namespace {

std::mutex& SourceMutex() {
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<TextMetricsSource>& Installed() {
    static auto* source = new std::shared_ptr<TextMetricsSource>;
    return *source;
}

}  // namespace

std::vector<int> TextMetricsSource::CharacterOffsets(HFONT font, std::u32string_view text) const {
    std::vector<int> offsets{0};
    offsets.reserve(text.size() + 1);
    for (size_t i = 1; i <= text.size(); ++i)
        offsets.push_back(TextWidth(font, EncodeText(text.substr(0, i))));
    return offsets;
}

FontMetrics FixedCellTextMetrics::Metrics(HFONT) const {
    return FontMetrics{kCellHeight, kAscent, kCellWidth, 0};
}

int FixedCellTextMetrics::TextWidth(HFONT, std::string_view utf8) const {
    return static_cast<int>(CountCharacters(utf8)) * kCellWidth;
}

std::vector<int> FixedCellTextMetrics::CharacterOffsets(HFONT, std::u32string_view text) const {
    std::vector<int> offsets(text.size() + 1);
    for (size_t i = 0; i < offsets.size(); ++i)
        offsets[i] = static_cast<int>(i) * kCellWidth;
    return offsets;
}

HFONT FixedCellTextMetrics::CreateDialogFont(const kq::DialogFont&) {
    return nullptr;
}

void FixedCellTextMetrics::DeleteDialogFont(HFONT) {}

SIZE FixedCellTextMetrics::ImageSize(HANDLE, UINT) const {
    return SIZE{0, 0};
}

void SetTextMetricsSource(std::shared_ptr<TextMetricsSource> source) {
    std::lock_guard lock(SourceMutex());
    Installed() = std::move(source);
}

std::shared_ptr<TextMetricsSource> GetTextMetricsSource() {
    std::lock_guard lock(SourceMutex());
    if (!Installed())
        Installed() = std::make_shared<GdiTextMetrics>();
    return Installed();
}

FontMetrics MeasureFont(HFONT font) {
    return GetTextMetricsSource()->Metrics(font);
}

int MeasureText(HFONT font, std::string_view utf8) {
    return GetTextMetricsSource()->TextWidth(font, utf8);
}

std::vector<int> MeasureOffsets(HFONT font, std::u32string_view text) {
    return GetTextMetricsSource()->CharacterOffsets(font, text);
}

}  // namespace kq::ui
