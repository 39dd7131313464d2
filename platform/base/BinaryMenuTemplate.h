// The standard binary MENU template, as LockResource yields it for RT_MENU and LoadMenuIndirect
// takes it: a header (version word 0, then an offset word and that many bytes to skip), then
// the items in order. Each item is an option word (MF_ flags), a command id word except for
// pop-ups, and its text as zero-terminated UTF-16LE; a pop-up's items follow it directly.
// MF_END (0x80) marks the last item of each level, the menu bar included.
#pragma once

#include <string>
#include <vector>

#include "platform/base/ResourceTemplates.h"
#include "platform/base/WinTypes.h"

namespace kq {

constexpr WORD kMenuItemPopup = 0x0010;      // MF_POPUP
constexpr WORD kMenuItemEnd = 0x0080;        // MF_END
constexpr WORD kMenuItemSeparator = 0x0800;  // MF_SEPARATOR

// The binary form of a compiled menu. Separators are written as the resource compiler writes
// them: option 0 (MF_END alone when last), id 0, empty text. The form cannot express a level
// without items, so an empty pop-up or menu gets a single separator, its closest equivalent.
std::vector<BYTE> EncodeMenuTemplate(const MenuTemplate& menu);

struct BinaryMenuItem {
    WORD option = 0;   // as stored, MF_END included
    WORD id = 0;       // 0 for pop-ups
    std::string text;  // UTF-8

    bool IsPopup() const { return (option & kMenuItemPopup) != 0; }
    bool IsLast() const { return (option & kMenuItemEnd) != 0; }
    // Marked as one, or a plain item with id 0 and no text, which Windows makes a separator.
    bool IsSeparator() const {
        return !IsPopup() && ((option & kMenuItemSeparator) || (id == 0 && text.empty()));
    }
};

// The first item of a template, or nullptr when its version is not 0 (the extended form).
const BYTE* FirstBinaryMenuItem(const void* menuTemplate);
// Reads the item at `at` and returns where the next one starts. Like LoadMenuIndirect the
// reader has no size to stop at: the template must be well formed.
const BYTE* ReadBinaryMenuItem(const BYTE* at, BinaryMenuItem& item);

}  // namespace kq
