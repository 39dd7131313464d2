// The desktop's CLIPBOARD and PRIMARY selections on an X display, for the program's clipboard
// (DesktopSelections): an unmapped window of its own owns them while the program's text stands
// there, whichever of the program's windows come and go, answers other programs' requests
// (TARGETS, UTF8_STRING, TEXT, STRING) with the program's text, and converts what other programs
// hold into text. Only the thread that made it talks to the display; other threads keep to the
// program's own clipboard.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/ui/DesktopSelections.h"

struct _XDisplay;
union _XEvent;

namespace kq::ui::detail {

class X11Selections : public DesktopSelections {
  public:
    // `afterRead` runs after waiting for another program's answer (events read meanwhile wait
    // in Xlib's queue).
    X11Selections(_XDisplay* display, std::function<void()> afterRead);
    ~X11Selections() override;
    X11Selections(const X11Selections&) = delete;
    X11Selections& operator=(const X11Selections&) = delete;

    void Claim(Selection which) override;
    bool ReadForeign(Selection which, std::optional<std::string>& text) override;
    // True when the event was a selection event and has been handled.
    bool Handle(_XEvent& event);
    // The time of the latest event from the server, for claiming.
    void Saw(unsigned long time) {
        if (time)
            time_ = time;
    }
    // The display is gone: the program's own clipboard only.
    void Abandon() { lost_ = true; }

  private:
    unsigned long SelectionAtom(Selection which) const;
    void Answer(_XEvent& request);
    bool OnOwnThread() const;
    size_t MaxRequestBytes() const;
    // Another program's answer to a conversion into `target`; nullopt when none came.
    std::optional<std::string> Convert(unsigned long selection, unsigned long target);

    _XDisplay* display_;
    std::function<void()> afterRead_;
    unsigned long window_ = 0;
    unsigned long time_ = 0;
    unsigned long clipboard_ = 0, targets_ = 0, utf8_ = 0, text_ = 0, incr_ = 0, property_ = 0;
    bool owns_[2] = {false, false};
    bool lost_ = false;
    unsigned long thread_;
};

}  // namespace kq::ui::detail
