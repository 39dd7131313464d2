#include "ethernet/SetupMenuClient.h"

#include <algorithm>

namespace {

// Many prompts in one "serial" round mean a server that does not come to an end.
constexpr int kMaxSerialPrompts = 32;

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsKeyCharacter(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           ch == '_';
}

bool IsKey(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsKeyCharacter);
}

// "baud (115200)? " gives "baud"; the choice prompt and anything else gives "".
std::string KeyOfSettingPrompt(const std::string& prompt) {
    const size_t open = prompt.find(" (");
    if (open == std::string::npos || prompt.size() < open + 5 ||
        prompt.compare(prompt.size() - 3, 3, ")? ") != 0) {
        return {};
    }
    const std::string key = prompt.substr(0, open);
    return IsKey(key) ? key : std::string();
}

}  // namespace

SetupMenuClient::SetupMenuClient(SetupTransport& transport, const SetupDeadline& deadline)
    : m_transport(transport), m_deadline(deadline), m_reader(transport) {}

SetupMenuClient::~SetupMenuClient() {
    Leave();
}

bool SetupMenuClient::Send(const std::string& line) {
    if (!m_open || !m_transport.Write(line + "\r", m_deadline.LeftMsCappedAt(kLineTimeoutMs))) {
        return false;
    }
    return true;
}

SetupEvent SetupMenuClient::Next() {
    const SetupDeadline lineDeadline(m_deadline.LeftMsCappedAt(kLineTimeoutMs));
    SetupEvent event = m_reader.Next(lineDeadline);
    if (event.kind == SetupEvent::Kind::Closed) {
        m_open = false;
        m_inSetupMode = false;
    }
    return event;
}

bool SetupMenuClient::Enter() {
    SetupEvent banner = Next();
    if (banner.kind != SetupEvent::Kind::Line) {
        return false;
    }
    m_banner = banner.text;
    // The server invites to setup mode on the next line and waits a few seconds for CR.
    if (!Send("")) {
        return false;
    }
    m_inSetupMode = true;
    m_settings.clear();
    for (;;) {
        SetupEvent event = Next();
        if (event.kind == SetupEvent::Kind::Prompt) {
            return !m_settings.empty();
        }
        if (event.kind != SetupEvent::Kind::Line) {
            return false;
        }
        const size_t equals = event.text.find('=');
        if (equals == std::string::npos) {
            continue;  // the invitation and anything else the server says
        }
        const std::string key = Trimmed(event.text.substr(0, equals));
        if (IsKey(key)) {
            m_settings.emplace_back(key, Trimmed(event.text.substr(equals + 1)));
        }
    }
}

std::string SetupMenuClient::Setting(const std::string& key) const {
    for (const auto& [name, value] : m_settings) {
        if (name == key) {
            return value;
        }
    }
    return {};
}

bool SetupMenuClient::ChangeSerial(const std::map<std::string, std::string>& changes) {
    if (!m_inSetupMode || !Send("serial")) {
        return false;
    }
    size_t answered = 0;
    for (int prompts = 0; prompts <= kMaxSerialPrompts;) {
        SetupEvent event = Next();
        if (event.kind == SetupEvent::Kind::Line) {
            continue;
        }
        if (event.kind != SetupEvent::Kind::Prompt) {
            return false;
        }
        const std::string key = KeyOfSettingPrompt(event.text);
        if (key.empty()) {
            // Back at the choice prompt: every change must have had its prompt.
            return answered == changes.size();
        }
        const auto change = changes.find(key);
        if (change != changes.end()) {
            ++answered;
        }
        if (!Send(change != changes.end() ? change->second : std::string())) {
            return false;
        }
        ++prompts;
    }
    return false;
}

bool SetupMenuClient::AwaitWord(const char* word) {
    for (;;) {
        SetupEvent event = Next();
        if (event.kind != SetupEvent::Kind::Line) {
            return false;
        }
        if (Trimmed(event.text) == word) {
            return true;
        }
    }
}

bool SetupMenuClient::Commit(bool save) {
    if (!m_inSetupMode || !Send(save ? "save" : "apply")) {
        return false;
    }
    if (!AwaitWord(save ? "stored" : "applied")) {
        return false;
    }
    // The server leaves setup mode and closes after its confirmation.
    m_inSetupMode = false;
    return true;
}

bool SetupMenuClient::Quit() {
    if (!m_inSetupMode || !Send("quit")) {
        return false;
    }
    m_inSetupMode = false;
    return AwaitWord("bye");
}

void SetupMenuClient::Leave() {
    if (m_inSetupMode && m_open) {
        // Best effort and without waiting: the close below ends setup mode as well.
        m_transport.Write("quit\r", 0);
    }
    m_inSetupMode = false;
    m_open = false;
    m_transport.Close();
}
