// The server side of the setup menu for one connection, without sockets: bytes in, lines out,
// and what the server must do with its settings. The dialogue is the one of
// docs/device-server.md; the faults change it as their names say.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/devsrvsim/DevSrvFaults.h"
#include "tools/devsrvsim/DevSrvSettings.h"

namespace devsrvsim {

class SetupDialogue {
  public:
    enum class Outcome { Continue, Apply, Save, Close };

    SetupDialogue(std::string banner, const DevSrvSettings& current, DevSrvFault fault);

    // What the server says on connecting.
    std::vector<std::string> Greeting() const;
    // Takes received bytes; appends what to send to `out` (each entry one chunk of output, a
    // line with its CR LF or a prompt). After Apply or Save the server takes Edited() and
    // closes; after Close it closes.
    Outcome Feed(const std::string& bytes, std::vector<std::string>& out);

    bool InSetupMode() const { return m_state != State::Greeted && m_state != State::Done; }
    const DevSrvSettings& Edited() const { return m_edited; }

  private:
    enum class State { Greeted, Choice, Serial, Done };

    Outcome HandleLine(const std::string& line, std::vector<std::string>& out);
    Outcome HandleChoice(const std::string& choice, std::vector<std::string>& out);
    void ListAndPrompt(std::vector<std::string>& out) const;
    void PromptSerialKey(std::vector<std::string>& out) const;
    std::string ChoicePrompt() const;

    std::string m_banner;
    DevSrvSettings m_edited;
    DevSrvFault m_fault;
    State m_state = State::Greeted;
    size_t m_serialKey = 0;
    std::string m_input;
};

}  // namespace devsrvsim
