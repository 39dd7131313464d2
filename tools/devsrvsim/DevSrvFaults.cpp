#include "tools/devsrvsim/DevSrvFaults.h"

#include <iterator>

namespace devsrvsim {

namespace {

struct FaultName {
    DevSrvFault fault;
    const char* name;
};

constexpr FaultName kNames[] = {
    {DevSrvFault::None, "none"},
    {DevSrvFault::Silent, "silent"},
    {DevSrvFault::Garbage, "garbage"},
    {DevSrvFault::HugeLine, "huge-line"},
    {DevSrvFault::SlowLines, "slow"},
    {DevSrvFault::CloseMidDialogue, "close"},
    {DevSrvFault::Refuse, "refuse"},
    {DevSrvFault::MissingConfirmation, "no-confirm"},
    {DevSrvFault::WrongPrompt, "wrong-prompt"},
};

}  // namespace

const char* DevSrvFaultName(DevSrvFault fault) {
    for (const FaultName& entry : kNames) {
        if (entry.fault == fault) {
            return entry.name;
        }
    }
    return "none";
}

bool ParseDevSrvFault(const std::string& name, DevSrvFault& fault) {
    for (const FaultName& entry : kNames) {
        if (name == entry.name) {
            fault = entry.fault;
            return true;
        }
    }
    return false;
}

}  // namespace devsrvsim
