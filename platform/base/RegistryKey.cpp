#include "platform/base/RegistryKey.h"

#include "platform/base/Clock.h"

namespace kq {
namespace {

char32_t UpperLatin(char32_t c) {
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    const bool odd = (c & 1) != 0;
    if (((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) &&
        odd)
        return c - 1;
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && !odd)
        return c - 1;
    return c;
}

}  // namespace

std::string FoldName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (b >= 'a' && b <= 'z') {
            out += static_cast<char>(b - 'a' + 'A');
        } else if (b >= 0xC3 && b <= 0xC5 && i + 1 < name.size() &&
                   (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80) {
            // Latin-1 Supplement and Latin Extended-A letters: two-byte sequences.
            const char32_t c =
                UpperLatin(((b & 0x1Fu) << 6) | (static_cast<unsigned char>(name[i + 1]) & 0x3Fu));
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
            ++i;
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

bool SplitKeyPath(std::string_view path, std::vector<std::string>* parts) {
    parts->clear();
    if (path.empty())
        return true;
    if (path.back() == '\\')
        path.remove_suffix(1);
    size_t start = 0;
    for (;;) {
        const size_t end = path.find('\\', start);
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part.size() > kMaxKeyNameLength || parts->size() >= kMaxKeyDepth)
            return false;
        parts->emplace_back(part);
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

RegistryKey::RegistryKey(std::string name, RegistryKey* parent)
    : name_(std::move(name)), parent_(parent) {
    Touch();
}

size_t RegistryKey::Depth() const {
    size_t depth = 0;
    for (const RegistryKey* key = parent_; key != nullptr; key = key->parent_)
        ++depth;
    return depth;
}

std::string RegistryKey::Path() const {
    if (parent_ == nullptr)
        return {};
    const std::string above = parent_->Path();
    return above.empty() ? name_ : above + "\\" + name_;
}

void RegistryKey::Touch() {
    lastWrite_ = CurrentClock().WallNanos();
}

const std::vector<std::shared_ptr<RegistryKey>>& RegistryKey::SubKeys() const {
    if (!subKeysListed_) {
        subKeys_.clear();
        subKeys_.reserve(subKeyIndex_.size());
        for (const auto& [folded, key] : subKeyIndex_)
            subKeys_.push_back(key);
        subKeysListed_ = true;
    }
    return subKeys_;
}

std::shared_ptr<RegistryKey> RegistryKey::FindSubKey(std::string_view name) const {
    const auto found = subKeyIndex_.find(FoldName(name));
    return found == subKeyIndex_.end() ? nullptr : found->second;
}

std::shared_ptr<RegistryKey> RegistryKey::FindPath(const std::vector<std::string>& parts) const {
    std::shared_ptr<RegistryKey> key;
    const RegistryKey* at = this;
    for (const std::string& part : parts) {
        key = at->FindSubKey(part);
        if (!key)
            return nullptr;
        at = key.get();
    }
    return key;
}

std::shared_ptr<RegistryKey> RegistryKey::CreateSubKey(std::string_view name, bool* created) {
    auto [at, added] = subKeyIndex_.try_emplace(FoldName(name));
    if (created)
        *created = added;
    if (!added)
        return at->second;
    at->second = std::make_shared<RegistryKey>(std::string(name), this);
    subKeysListed_ = false;
    Touch();
    return at->second;
}

std::shared_ptr<RegistryKey> RegistryKey::CreatePath(const std::vector<std::string>& parts) {
    std::shared_ptr<RegistryKey> key;
    RegistryKey* at = this;
    for (const std::string& part : parts) {
        key = at->CreateSubKey(part);
        at = key.get();
    }
    return key;
}

bool RegistryKey::RemoveSubKey(std::string_view name) {
    const auto found = subKeyIndex_.find(FoldName(name));
    if (found == subKeyIndex_.end())
        return false;
    found->second->MarkDeleted();
    subKeyIndex_.erase(found);
    subKeysListed_ = false;
    Touch();
    return true;
}

void RegistryKey::Clear() {
    for (auto& [folded, key] : subKeyIndex_)
        key->MarkDeleted();
    subKeyIndex_.clear();
    subKeys_.clear();
    subKeysListed_ = true;
    values_.clear();
    valueIndex_.clear();
    Touch();
}

void RegistryKey::MarkDeleted() {
    // Open handles may keep this key alive; it must not reach its former parent any more, and
    // its subtree is released at once.
    Clear();
    deleted_ = true;
    parent_ = nullptr;
}

RegistryValue* RegistryKey::FindValueMutable(std::string_view name) {
    const auto found = valueIndex_.find(FoldName(name));
    return found == valueIndex_.end() ? nullptr : &values_[found->second];
}

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
    return const_cast<RegistryKey*>(this)->FindValueMutable(name);
}

void RegistryKey::SetValue(std::string_view name, DWORD type, std::string data) {
    Touch();
    if (RegistryValue* existing = FindValueMutable(name)) {
        existing->type = type;
        existing->data = std::move(data);
        return;
    }
    valueIndex_.emplace(FoldName(name), values_.size());
    values_.push_back(RegistryValue{std::string(name), type, std::move(data)});
}

bool RegistryKey::RemoveValue(std::string_view name) {
    const auto found = valueIndex_.find(FoldName(name));
    if (found == valueIndex_.end())
        return false;
    const size_t index = found->second;
    valueIndex_.erase(found);
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(index));
    for (auto& [folded, at] : valueIndex_) {
        if (at > index)
            --at;
    }
    Touch();
    return true;
}

}  // namespace kq
