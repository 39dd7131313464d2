#include "platform/gfx/FontMatcher.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <mutex>
#include <tuple>

namespace kq::gfx {

namespace {

std::string Lower(const char* s) {
    std::string out;
    for (; s && *s; ++s)
        out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(*s))));
    return out;
}

const char* const kSans = "Liberation Sans";
const char* const kSerif = "Liberation Serif";
const char* const kMono = "Liberation Mono";

std::mutex& ConfigMutex() {
    static std::mutex m;
    return m;
}

// Initialises fontconfig once and releases it at exit, so that its caches are not reported as
// leaks.
bool ConfigReady() {
    static const bool ready = [] {
        if (!FcInit())
            return false;
        std::atexit([] { FcFini(); });
        return true;
    }();
    return ready;
}

std::optional<FontFile> Query(const std::string& family, int weight, bool italic,
                              bool requireFamily) {
    std::lock_guard<std::mutex> lock(ConfigMutex());
    static std::map<std::tuple<std::string, int, bool, bool>, std::optional<FontFile>> cache;
    const auto key = std::make_tuple(family, weight, italic, requireFamily);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    std::optional<FontFile> result;
    if (ConfigReady()) {
        FcPattern* pat = FcPatternCreate();
        FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pat, FC_WEIGHT, weight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult res;
        FcPattern* match = FcFontMatch(nullptr, pat, &res);
        if (match) {
            FcChar8* file = nullptr;
            FcChar8* fam = nullptr;
            int index = 0;
            int w = FC_WEIGHT_REGULAR;
            int slant = FC_SLANT_ROMAN;
            FcBool scalable = FcFalse;
            FcPatternGetString(match, FC_FILE, 0, &file);
            FcPatternGetString(match, FC_FAMILY, 0, &fam);
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            FcPatternGetInteger(match, FC_WEIGHT, 0, &w);
            FcPatternGetInteger(match, FC_SLANT, 0, &slant);
            FcPatternGetBool(match, FC_SCALABLE, 0, &scalable);
            const std::string got = fam ? reinterpret_cast<const char*>(fam) : "";
            if (file && scalable &&
                (!requireFamily || Lower(got.c_str()) == Lower(family.c_str()))) {
                FontFile f;
                f.path = reinterpret_cast<const char*>(file);
                f.index = index;
                f.family = got;
                f.bold = w >= FC_WEIGHT_DEMIBOLD;
                f.italic = slant != FC_SLANT_ROMAN;
                result = f;
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pat);
    }
    cache[key] = result;
    return result;
}

}  // namespace

bool IsMarlettFace(const char* faceName) {
    return Lower(faceName) == "marlett";
}

std::string MappedFamily(const char* faceName, BYTE pitchAndFamily) {
    static const std::map<std::string, const char*> kMap = {
        {"arial", kSans},        {"ms sans serif", kSans},  {"microsoft sans serif", kSans},
        {"ms shell dlg", kSans}, {"ms shell dlg 2", kSans}, {"tahoma", kSans},
        {"segoe ui", kSans},     {"verdana", kSans},        {"helvetica", kSans},
        {"system", kSans},       {"calibri", kSans},        {"times new roman", kSerif},
        {"times", kSerif},       {"ms serif", kSerif},      {"georgia", kSerif},
        {"cambria", kSerif},     {"courier new", kMono},    {"courier", kMono},
        {"consolas", kMono},     {"lucida console", kMono}, {"fixedsys", kMono},
        {"terminal", kMono},
    };
    const std::string name = Lower(faceName);
    if (auto it = kMap.find(name); it != kMap.end())
        return it->second;
    if (!name.empty() && Query(faceName, 400, false, true))
        return faceName;
    const BYTE family = pitchAndFamily & 0xF0;
    if (family == 0x10)  // FF_ROMAN
        return kSerif;
    if (family == 0x30 || (pitchAndFamily & 0x03) == 1)  // FF_MODERN or FIXED_PITCH
        return kMono;
    return kSans;
}

std::optional<FontFile> FindFontFile(const std::string& family, int weight, bool italic) {
    if (auto f = Query(family, weight, italic, true))
        return f;
    // The Liberation families missing: DejaVu has the same three kinds.
    std::string alt = "DejaVu Sans";
    if (family == kSerif)
        alt = "DejaVu Serif";
    else if (family == kMono)
        alt = "DejaVu Sans Mono";
    if (auto f = Query(alt, weight, italic, true))
        return f;
    return Query(family, weight, italic, false);
}

std::optional<FontFile> FallbackFontFile() {
    if (auto f = Query("DejaVu Sans", 400, false, true))
        return f;
    return Query("sans-serif", 400, false, false);
}

}  // namespace kq::gfx

namespace kq::gfx {

std::vector<std::string> EnumerableFamilies() {
    std::vector<std::string> out = {
        "Arial",           "Courier New",         "Marlett", "MS Sans Serif", "Tahoma",
        "Times New Roman", "Microsoft Sans Serif"};
    std::lock_guard<std::mutex> lock(ConfigMutex());
    if (ConfigReady()) {
        FcPattern* pat = FcPatternCreate();
        FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
        FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, nullptr);
        FcFontSet* set = FcFontList(nullptr, pat, os);
        if (set) {
            for (int i = 0; i < set->nfont; ++i) {
                FcChar8* fam = nullptr;
                if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &fam) == FcResultMatch && fam)
                    out.emplace_back(reinterpret_cast<const char*>(fam));
            }
            FcFontSetDestroy(set);
        }
        FcObjectSetDestroy(os);
        FcPatternDestroy(pat);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

}  // namespace kq::gfx
