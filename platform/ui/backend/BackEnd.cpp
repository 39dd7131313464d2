#include "platform/ui/backend/BackEnd.h"

#include <cstdio>
#include <cstdlib>

#include "platform/ui/backend/HeadlessBackEnd.h"
#include "platform/ui/backend/X11BackEnd.h"

namespace kq::ui {
namespace {

std::unique_ptr<BackEnd> StartX11(const std::string& display, bool forced) {
    std::string error;
    std::unique_ptr<BackEnd> x11 = X11BackEnd::Open(display, &error);
    if (x11)
        return x11;
    if (forced) {
        std::fprintf(stderr, "x11 back end: %s\n", error.c_str());
        return nullptr;
    }
    std::fprintf(stderr, "No display (%s): running headless, the screen stays in memory.\n",
                 error.c_str());
    return std::make_unique<HeadlessBackEnd>();
}

}  // namespace

std::unique_ptr<BackEnd> StartBackEnd(const std::string& option) {
    std::string choice = option;
    if (choice.empty()) {
        const char* env = std::getenv("KQ7B_BACKEND");
        choice = env ? env : "";
    }
    if (choice == "headless")
        return std::make_unique<HeadlessBackEnd>();
    if (choice == "x11")
        return StartX11({}, true);
    if (choice.rfind("x11:", 0) == 0)
        return StartX11(choice.substr(4), true);
    if (!choice.empty()) {
        std::fprintf(stderr, "Unknown back end \"%s\": expected headless or x11.\n",
                     choice.c_str());
        return nullptr;
    }
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "DISPLAY is not set: running headless, the screen stays in memory.\n");
        return std::make_unique<HeadlessBackEnd>();
    }
    return StartX11({}, false);
}

}  // namespace kq::ui
