// Builds the template of a common dialog at run time: a modal, centred dialog in the shell
// font whose controls are laid out in dialog units. The strings live as long as the builder.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/base/ResourceTemplates.h"

namespace kq::ui::commdlg {

class DialogBuilder {
  public:
    DialogBuilder(const std::string& caption, short cx, short cy);

    void Add(const char* className, const std::string& text, int id, DWORD style, short x, short y,
             short cx, short cy, DWORD exStyle = 0);
    // Frequent kinds.
    void Label(const std::string& text, short x, short y, short cx, short cy, int id = -1);
    void Button(const std::string& text, int id, short x, short y, short cx, short cy,
                bool isDefault = false);
    void Check(const std::string& text, int id, short x, short y, short cx, short cy);
    void Radio(const std::string& text, int id, short x, short y, short cx, short cy, bool first);
    void Group(const std::string& text, short x, short y, short cx, short cy);
    void Edit(int id, short x, short y, short cx, short cy, DWORD extraStyle = 0);
    void List(int id, short x, short y, short cx, short cy, DWORD extraStyle = 0);
    void DropList(int id, short x, short y, short cx, short cy);

    const kq::DialogTemplate& Template();

  private:
    std::string_view Keep(const std::string& text);

    std::deque<std::string> strings_;
    std::vector<kq::ControlTemplate> controls_;
    kq::DialogTemplate template_;
};

}  // namespace kq::ui::commdlg
