#include "ports/ExtraPorts.h"

#include <charconv>
#include <cstdlib>
#include <set>

#include "platform/base/Trace.h"
#include "platform/io/TcpClient.h"
#include "ports/PortSettings.h"

namespace kq::ports {

namespace {

// Splits at unescaped separators, removing the escapes.
std::vector<std::string> SplitEscaped(std::string_view text, char separator) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\\' && i + 1 < text.size()) {
            parts.back() += '\\';  // kept for the next split level, removed by Unescape
            parts.back() += text[++i];
        } else if (ch == separator) {
            parts.emplace_back();
        } else {
            parts.back() += ch;
        }
    }
    return parts;
}

std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsValidTarget(const ExtraPort& declared) {
    if (declared.kind == ExtraPort::Kind::Path) {
        return declared.target.size() > 1 && declared.target.front() == '/';
    }
    std::string host;
    uint16_t port = 0;
    return ParseHostPort(declared.target, host, port);
}

// A setup port: digits only, 1-65535.
bool ParseSetupPort(std::string_view text, uint16_t& port) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value == 0 ||
        value > 65535) {
        return false;
    }
    port = static_cast<uint16_t>(value);
    return true;
}

void AddError(std::string* errors, const std::string& line) {
    if (errors != nullptr) {
        *errors += line;
        *errors += '\n';
    }
}

}  // namespace

std::string ExtraPort::Identity() const {
    return (kind == Kind::Path ? "path:" : "tcp:") + target;
}

std::vector<ExtraPort> ParseExtraPorts(std::string_view text, std::string* errors) {
    std::vector<ExtraPort> ports;
    for (const std::string& entry : SplitEscaped(text, ',')) {
        if (TrimSpace(entry).empty()) {
            continue;
        }
        ExtraPort declared;
        int targets = 0;
        bool valid = true;
        for (const std::string& field : SplitEscaped(entry, ';')) {
            const std::string_view trimmed = TrimSpace(field);
            if (trimmed.empty()) {
                continue;
            }
            const size_t equals = trimmed.find('=');
            const std::string key(TrimSpace(trimmed.substr(0, equals)));
            const std::string value = equals == std::string_view::npos
                                          ? ""
                                          : Unescape(TrimSpace(trimmed.substr(equals + 1)));
            if (key == "path" || key == "tcp") {
                declared.kind = key == "path" ? ExtraPort::Kind::Path : ExtraPort::Kind::Tcp;
                declared.target = value;
                ++targets;
            } else if (key == "desc") {
                declared.description = value;
            } else if (key == "setup") {
                valid = valid && ParseSetupPort(value, declared.setupPort);
            } else {
                valid = false;
            }
        }
        if (!valid || targets != 1 || !IsValidTarget(declared) ||
            (declared.kind == ExtraPort::Kind::Path && declared.setupPort != kDefaultSetupPort)) {
            AddError(errors, "extra port ignored: \"" + Unescape(entry) + "\"");
            continue;
        }
        if (declared.description.empty()) {
            declared.description = declared.target;
        }
        ports.push_back(std::move(declared));
    }
    return ports;
}

std::vector<ExtraPort> DeclaredExtraPorts() {
    std::vector<ExtraPort> ports;
    std::set<std::string> seen;
    const auto add = [&](ExtraPort declared) {
        if (IsValidTarget(declared) && seen.insert(declared.Identity()).second) {
            if (declared.description.empty()) {
                declared.description = declared.target;
            }
            ports.push_back(std::move(declared));
        }
    };
    for (const std::string& name : ListSettingSections(kVirtualPortsKey)) {
        const std::string section = std::string(kVirtualPortsKey) + "\\" + name;
        ExtraPort declared;
        if (auto path = ReadSettingString(section, "Path")) {
            declared.target = *path;
        } else if (auto tcp = ReadSettingString(section, "Tcp")) {
            declared.kind = ExtraPort::Kind::Tcp;
            declared.target = *tcp;
        } else {
            continue;
        }
        declared.description = ReadSettingString(section, "Description").value_or("");
        if (auto setup = ReadSettingString(section, "SetupPort");
            setup && !ParseSetupPort(*setup, declared.setupPort)) {
            WriteTrace(section + ": SetupPort \"" + *setup + "\" ignored with its port");
            continue;
        }
        add(std::move(declared));
    }
    if (const char* text = std::getenv(kExtraPortsVariable)) {
        std::string errors;
        for (ExtraPort& declared : ParseExtraPorts(text, &errors)) {
            add(std::move(declared));
        }
        if (!errors.empty()) {
            WriteTrace(std::string(kExtraPortsVariable) + ": " + errors);
        }
    }
    return ports;
}

}  // namespace kq::ports
