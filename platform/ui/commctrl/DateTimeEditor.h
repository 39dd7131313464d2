// Editing a date and time field by field, as the date-time picker lets the user do: one field
// of the format is selected; arrows step it with wrap-around inside the field, digits are
// collected and taken when the field is full or left, names are chosen by their first letter.
// Every change keeps a valid date: a day past the end of the month becomes the month's last
// day (31 March less a month is 28 or 29 February), and the value stays inside the range.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/commctrl/DateTimeFormat.h"

namespace kq::ui::commctrl {

class DateTimeEditor {
  public:
    DateTimeEditor();

    // False (nothing changes) for a time that is not a valid date and time.
    bool SetTime(const SYSTEMTIME& time);
    const SYSTEMTIME& Time() const { return time_; }
    void SetFormat(std::vector<FormatElement> elements);
    const std::vector<FormatElement>& Elements() const { return elements_; }
    // Limits; null removes one.
    void SetRange(const SYSTEMTIME* min, const SYSTEMTIME* max);
    const std::optional<SYSTEMTIME>& Min() const { return min_; }
    const std::optional<SYSTEMTIME>& Max() const { return max_; }

    // Index into Elements() of the selected field, -1 when the format has none.
    int Selected() const { return selected_; }
    // Selects a field (an index of a non-literal element); takes pending digits first.
    bool Select(int element);
    // The shown text of an element: the digits being typed into the selected field, else its
    // value.
    std::string ElementText(int element) const;
    std::string Text() const;

    // Each returns true when the value changed.
    bool MoveSelection(int direction);  // -1 previous field, +1 next field
    bool Step(int delta);               // the selected field, wrapping inside it
    bool ToLimit(bool last);            // the selected field's first or last value
    bool TypeChar(char32_t c);          // digits, or letters for names and AM/PM
    bool Commit();                      // takes digits still being typed

  private:
    bool IsEditable(int element) const;
    DateField SelectedField() const;
    // Replaces the value when the new one is valid; clamps the day and the range.
    bool Apply(SYSTEMTIME next);
    bool ApplyNumber(DateField field, int width, int value);
    int DigitsOf(DateField field, int width) const;
    int MaxTypable(DateField field) const;

    SYSTEMTIME time_{};
    std::vector<FormatElement> elements_;
    std::optional<SYSTEMTIME> min_;
    std::optional<SYSTEMTIME> max_;
    int selected_ = -1;
    std::string pending_;  // digits typed into the selected field, not yet taken
};

// SYSTEMTIME helpers.
bool IsValidSystemTime(const SYSTEMTIME& time);
// Compares date and time down to the second.
int CompareSystemTime(const SYSTEMTIME& a, const SYSTEMTIME& b);
// Sets the weekday from the date.
void FillWeekday(SYSTEMTIME& time);

}  // namespace kq::ui::commctrl
