// What a simulated device server can do wrong on its setup port.
#pragma once

#include <string>

namespace devsrvsim {

enum class DevSrvFault {
    None,
    Silent,               // accepts and says nothing
    Garbage,              // the banner, then bytes that are neither lines of settings nor a prompt
    HugeLine,             // the banner, then a line of 100 KB
    SlowLines,            // every line 300 ms after the one before
    CloseMidDialogue,     // closes when the first command after the listing arrives
    Refuse,               // the setup port does not listen: connections are refused
    MissingConfirmation,  // "apply" and "save" are neither confirmed nor done; it closes
    WrongPrompt,          // prompts that do not end in "? "
};

// "none", "silent", "garbage", "huge-line", "slow", "close", "refuse", "no-confirm",
// "wrong-prompt".
const char* DevSrvFaultName(DevSrvFault fault);
bool ParseDevSrvFault(const std::string& name, DevSrvFault& fault);

}  // namespace devsrvsim
