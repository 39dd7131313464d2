#include "tools/devsrvsim/SetupDialogue.h"

#include <string_view>

namespace devsrvsim {

namespace {

constexpr size_t kMaxInputLine = 1024;
constexpr size_t kHugeLineBytes = 100 * 1024;

std::string Line(std::string_view text) {
    return std::string(text) + "\r\n";
}

// Bytes with NULs, control bytes and high bytes, without '?' so that no prompt can appear.
std::string GarbageLine(size_t seed) {
    std::string bytes;
    for (size_t i = 0; i < 64; ++i) {
        auto value = static_cast<char>((seed * 131 + i * 37) & 0xFF);
        bytes += value == '?' ? '\0' : value;
    }
    return bytes;
}

}  // namespace

SetupDialogue::SetupDialogue(std::string banner, const DevSrvSettings& current, DevSrvFault fault)
    : m_banner(std::move(banner)), m_edited(current), m_fault(fault) {}

std::vector<std::string> SetupDialogue::Greeting() const {
    if (m_fault == DevSrvFault::Silent) {
        return {};
    }
    return {Line(m_banner), Line("setup: Return")};
}

std::string SetupDialogue::ChoicePrompt() const {
    return m_fault == DevSrvFault::WrongPrompt ? "Your choice> " : "Your choice? ";
}

void SetupDialogue::ListAndPrompt(std::vector<std::string>& out) const {
    for (const std::string& line : m_edited.Listing()) {
        out.push_back(Line(line));
    }
    out.push_back(ChoicePrompt());
}

void SetupDialogue::PromptSerialKey(std::vector<std::string>& out) const {
    const std::string& key = DevSrvSettings::SerialKeys()[m_serialKey];
    const std::string current = m_edited.Value(key);
    out.push_back(m_fault == DevSrvFault::WrongPrompt ? key + " [" + current + "]: "
                                                      : key + " (" + current + ")? ");
}

SetupDialogue::Outcome SetupDialogue::Feed(const std::string& bytes,
                                           std::vector<std::string>& out) {
    if (m_fault == DevSrvFault::Silent || m_state == State::Done) {
        return Outcome::Continue;
    }
    for (const char ch : bytes) {
        if (ch == '\n' && m_input.empty()) {
            continue;  // the LF of a CR LF
        }
        if (ch == '\r' || ch == '\n') {
            const Outcome outcome = HandleLine(m_input, out);
            m_input.clear();
            if (outcome != Outcome::Continue) {
                m_state = State::Done;
                return outcome;
            }
            continue;
        }
        if (m_input.size() < kMaxInputLine) {
            m_input += ch;
        }
    }
    return Outcome::Continue;
}

SetupDialogue::Outcome SetupDialogue::HandleLine(const std::string& line,
                                                 std::vector<std::string>& out) {
    switch (m_state) {
        case State::Greeted:
            m_state = State::Choice;
            if (m_fault == DevSrvFault::Garbage) {
                for (size_t i = 0; i < 8; ++i) {
                    out.push_back(GarbageLine(i) + "\r\n");
                }
                return Outcome::Continue;
            }
            if (m_fault == DevSrvFault::HugeLine) {
                out.push_back(std::string(kHugeLineBytes, 'x') + "\r\n");
            }
            ListAndPrompt(out);
            return Outcome::Continue;
        case State::Choice:
            if (m_fault == DevSrvFault::CloseMidDialogue) {
                return Outcome::Close;
            }
            return HandleChoice(line, out);
        case State::Serial: {
            const std::string& key = DevSrvSettings::SerialKeys()[m_serialKey];
            if (!line.empty() && !m_edited.Set(key, line)) {
                out.push_back(Line("invalid value"));
            }
            if (++m_serialKey < DevSrvSettings::SerialKeys().size()) {
                PromptSerialKey(out);
            } else {
                m_state = State::Choice;
                out.push_back(ChoicePrompt());
            }
            return Outcome::Continue;
        }
        case State::Done:
            break;
    }
    return Outcome::Continue;
}

SetupDialogue::Outcome SetupDialogue::HandleChoice(const std::string& choice,
                                                   std::vector<std::string>& out) {
    if (choice == "serial") {
        m_state = State::Serial;
        m_serialKey = 0;
        PromptSerialKey(out);
        return Outcome::Continue;
    }
    if (choice == "apply" || choice == "save") {
        if (m_fault == DevSrvFault::MissingConfirmation) {
            return Outcome::Close;
        }
        out.push_back(Line(choice == "apply" ? "applied" : "stored"));
        return choice == "apply" ? Outcome::Apply : Outcome::Save;
    }
    if (choice == "quit") {
        out.push_back(Line("bye"));
        return Outcome::Close;
    }
    if (!choice.empty()) {
        out.push_back(Line("unknown choice"));
    }
    out.push_back(ChoicePrompt());
    return Outcome::Continue;
}

}  // namespace devsrvsim
