#include "platform/ui/commctrl/DateTimeEditor.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "platform/base/CivilDate.h"

namespace kq::ui::commctrl {

namespace {
constexpr int kMinYear = 1601;
constexpr int kMaxYear = 9999;

int Wrap(int value, int low, int high) {
    const int span = high - low + 1;
    return low + static_cast<int>(FloorMod(value - low, span));
}

auto Key(const SYSTEMTIME& t) {
    return std::make_tuple(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

bool IsNumeric(DateField f) {
    switch (f) {
        case DateField::Day:
        case DateField::Month:
        case DateField::Year:
        case DateField::Hour12:
        case DateField::Hour24:
        case DateField::Minute:
        case DateField::Second:
            return true;
        default:
            return false;
    }
}
}  // namespace

bool IsValidSystemTime(const SYSTEMTIME& t) {
    return t.wYear >= kMinYear && t.wYear <= kMaxYear && t.wMonth >= 1 && t.wMonth <= 12 &&
           t.wDay >= 1 && t.wDay <= DaysInMonth(t.wYear, t.wMonth) && t.wHour < 24 &&
           t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
}

int CompareSystemTime(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    const auto ka = Key(a), kb = Key(b);
    return ka < kb ? -1 : (kb < ka ? 1 : 0);
}

void FillWeekday(SYSTEMTIME& t) {
    t.wDayOfWeek = static_cast<WORD>(WeekdayFromDays(DaysFromCivil(t.wYear, t.wMonth, t.wDay)));
}

DateTimeEditor::DateTimeEditor() {
    GetLocalTime(&time_);
    time_.wMilliseconds = 0;
}

bool DateTimeEditor::SetTime(const SYSTEMTIME& time) {
    if (!IsValidSystemTime(time))
        return false;
    pending_.clear();
    time_ = time;
    FillWeekday(time_);
    return true;
}

void DateTimeEditor::SetFormat(std::vector<FormatElement> elements) {
    elements_ = std::move(elements);
    pending_.clear();
    selected_ = -1;
    for (int i = 0; i < static_cast<int>(elements_.size()); ++i) {
        if (IsEditable(i)) {
            selected_ = i;
            break;
        }
    }
}

void DateTimeEditor::SetRange(const SYSTEMTIME* min, const SYSTEMTIME* max) {
    min_.reset();
    max_.reset();
    if (min && IsValidSystemTime(*min))
        min_ = *min;
    if (max && IsValidSystemTime(*max))
        max_ = *max;
    Apply(time_);
}

bool DateTimeEditor::IsEditable(int element) const {
    return element >= 0 && element < static_cast<int>(elements_.size()) &&
           elements_[element].field != DateField::Literal;
}

DateField DateTimeEditor::SelectedField() const {
    return IsEditable(selected_) ? elements_[selected_].field : DateField::Literal;
}

bool DateTimeEditor::Apply(SYSTEMTIME next) {
    next.wDay = static_cast<WORD>(std::min<int>(next.wDay, DaysInMonth(next.wYear, next.wMonth)));
    if (min_ && CompareSystemTime(next, *min_) < 0)
        next = *min_;
    if (max_ && CompareSystemTime(next, *max_) > 0)
        next = *max_;
    FillWeekday(next);
    if (CompareSystemTime(next, time_) == 0)
        return false;
    time_ = next;
    return true;
}

bool DateTimeEditor::Select(int element) {
    if (!IsEditable(element))
        return false;
    Commit();
    selected_ = element;
    return true;
}

std::string DateTimeEditor::ElementText(int element) const {
    if (element == selected_ && !pending_.empty())
        return pending_;
    return FormatElementText(elements_[element], time_);
}

std::string DateTimeEditor::Text() const {
    std::string text;
    for (int i = 0; i < static_cast<int>(elements_.size()); ++i)
        text += ElementText(i);
    return text;
}

bool DateTimeEditor::MoveSelection(int direction) {
    const bool changed = Commit();
    for (int i = selected_ + direction; i >= 0 && i < static_cast<int>(elements_.size());
         i += direction) {
        if (IsEditable(i)) {
            selected_ = i;
            break;
        }
    }
    return changed;
}

bool DateTimeEditor::Step(int delta) {
    bool changed = Commit();
    SYSTEMTIME next = time_;
    switch (SelectedField()) {
        case DateField::Day:
            next.wDay =
                static_cast<WORD>(Wrap(next.wDay + delta, 1, DaysInMonth(next.wYear, next.wMonth)));
            break;
        case DateField::DayName: {
            const int64_t days = DaysFromCivil(next.wYear, next.wMonth, next.wDay) + delta;
            const CivilDate date = CivilFromDays(days);
            if (date.year < kMinYear || date.year > kMaxYear)
                return changed;
            next.wYear = static_cast<WORD>(date.year);
            next.wMonth = static_cast<WORD>(date.month);
            next.wDay = static_cast<WORD>(date.day);
            break;
        }
        case DateField::Month:
        case DateField::MonthName:
            next.wMonth = static_cast<WORD>(Wrap(next.wMonth + delta, 1, 12));
            break;
        case DateField::Year:
            next.wYear = static_cast<WORD>(std::clamp(next.wYear + delta, kMinYear, kMaxYear));
            break;
        case DateField::Hour12:
        case DateField::Hour24:
            next.wHour = static_cast<WORD>(Wrap(next.wHour + delta, 0, 23));
            break;
        case DateField::Minute:
            next.wMinute = static_cast<WORD>(Wrap(next.wMinute + delta, 0, 59));
            break;
        case DateField::Second:
            next.wSecond = static_cast<WORD>(Wrap(next.wSecond + delta, 0, 59));
            break;
        case DateField::AmPm:
            next.wHour = static_cast<WORD>((next.wHour + 12) % 24);
            break;
        case DateField::Literal:
            return changed;
    }
    return Apply(next) || changed;
}

bool DateTimeEditor::ToLimit(bool last) {
    bool changed = Commit();
    SYSTEMTIME next = time_;
    switch (SelectedField()) {
        case DateField::Day:
            next.wDay = static_cast<WORD>(last ? DaysInMonth(next.wYear, next.wMonth) : 1);
            break;
        case DateField::Month:
        case DateField::MonthName:
            next.wMonth = static_cast<WORD>(last ? 12 : 1);
            break;
        case DateField::Year:
            next.wYear = static_cast<WORD>(last ? kMaxYear : kMinYear);
            break;
        case DateField::Hour12:
        case DateField::Hour24:
            next.wHour = static_cast<WORD>(last ? 23 : 0);
            break;
        case DateField::Minute:
            next.wMinute = static_cast<WORD>(last ? 59 : 0);
            break;
        case DateField::Second:
            next.wSecond = static_cast<WORD>(last ? 59 : 0);
            break;
        case DateField::AmPm:
            next.wHour = static_cast<WORD>(next.wHour % 12 + (last ? 12 : 0));
            break;
        case DateField::DayName:
        case DateField::Literal:
            return changed;
    }
    return Apply(next) || changed;
}

int DateTimeEditor::DigitsOf(DateField field, int width) const {
    if (field == DateField::Year)
        return width <= 2 ? width : 4;
    return 2;
}

int DateTimeEditor::MaxTypable(DateField field) const {
    const int width = elements_[selected_].width;
    switch (field) {
        case DateField::Day:
            return 31;
        case DateField::Month:
            return 12;
        case DateField::Year:
            return width == 1 ? 9 : width == 2 ? 99 : kMaxYear;
        case DateField::Hour12:
            return 12;
        case DateField::Hour24:
            return 23;
        default:
            return 59;
    }
}

bool DateTimeEditor::TypeChar(char32_t c) {
    const DateField field = SelectedField();
    if (c >= '0' && c <= '9' && IsNumeric(field)) {
        const int limit = MaxTypable(field);
        std::string digits = pending_ + static_cast<char>(c);
        if (std::stoi(digits) > limit)
            digits = std::string(1, static_cast<char>(c));  // start over with this digit
        pending_ = digits;
        const int value = std::stoi(pending_);
        const bool full =
            static_cast<int>(pending_.size()) >= DigitsOf(field, elements_[selected_].width);
        if (full || value * 10 > limit)
            return Commit();
        return false;
    }
    if (c > 0x7F || !std::isalpha(static_cast<int>(c)))
        return false;
    const char letter = static_cast<char>(std::tolower(static_cast<int>(c)));
    SYSTEMTIME next = time_;
    if (field == DateField::AmPm) {
        if (letter != 'a' && letter != 'p')
            return false;
        next.wHour = static_cast<WORD>(next.wHour % 12 + (letter == 'p' ? 12 : 0));
        return Apply(next);
    }
    if (field == DateField::MonthName) {
        // The next month (after the shown one) whose name starts with the letter.
        const bool abbreviated = elements_[selected_].width == 3;
        for (int i = 1; i <= 12; ++i) {
            const int month = Wrap(next.wMonth + i, 1, 12);
            const std::string name = MonthName(month, abbreviated);
            if (!name.empty() && std::tolower(static_cast<unsigned char>(name[0])) == letter) {
                next.wMonth = static_cast<WORD>(month);
                return Apply(next);
            }
        }
    }
    return false;
}

bool DateTimeEditor::Commit() {
    if (pending_.empty() || !IsEditable(selected_))
        return false;
    const int value = std::stoi(pending_);
    const int typed = static_cast<int>(pending_.size());
    pending_.clear();
    const FormatElement& e = elements_[selected_];
    if (e.field == DateField::Year && e.width >= 3 && typed <= 2)
        return ApplyNumber(DateField::Year, 2, value);
    return ApplyNumber(e.field, e.width, value);
}

bool DateTimeEditor::ApplyNumber(DateField field, int width, int value) {
    SYSTEMTIME next = time_;
    switch (field) {
        case DateField::Day:
            if (value < 1 || value > 31)
                return false;
            next.wDay = static_cast<WORD>(value);  // past the month's end: its last day
            break;
        case DateField::Month:
            if (value < 1 || value > 12)
                return false;
            next.wMonth = static_cast<WORD>(value);
            break;
        case DateField::Year:
            if (width == 1)
                value += next.wYear - next.wYear % 10;
            else if (width == 2)
                value += value < 30 ? 2000 : 1900;  // two digits: 1930 .. 2029
            if (value < kMinYear || value > kMaxYear)
                return false;
            next.wYear = static_cast<WORD>(value);
            break;
        case DateField::Hour12:
            if (value < 1 || value > 12)
                return false;
            next.wHour = static_cast<WORD>(value % 12 + (next.wHour >= 12 ? 12 : 0));
            break;
        case DateField::Hour24:
            if (value > 23)
                return false;
            next.wHour = static_cast<WORD>(value);
            break;
        case DateField::Minute:
            if (value > 59)
                return false;
            next.wMinute = static_cast<WORD>(value);
            break;
        case DateField::Second:
            if (value > 59)
                return false;
            next.wSecond = static_cast<WORD>(value);
            break;
        default:
            return false;
    }
    return Apply(next);
}

}  // namespace kq::ui::commctrl
