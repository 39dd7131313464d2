#include "sensor/ChanState.h"

namespace {

struct ChannelState {
    BYTE connectedMask = 0;
    WORD mode[2] = {0, 0};
    int phase[2] = {0, 0};
    BYTE powerOn[2] = {0, 0};
    BYTE powerShown[2] = {0, 0};
};

ChannelState g_state;

bool ValidChannel(int channel) {
    return channel == 0 || channel == 1;
}

}  // namespace

void ChanState_Reset() {
    g_state.connectedMask = 0;
    g_state.mode[0] = g_state.mode[1] = 0;
    g_state.phase[0] = g_state.phase[1] = 0;
}

void ChanState_SetConnected(BYTE mask, WORD modeA, WORD modeB) {
    g_state.connectedMask = mask;
    g_state.mode[0] = modeA;
    g_state.mode[1] = modeB;
}

int ChanState_GetConnectedChannelCount() {
    switch (g_state.connectedMask) {
        case 0:
            return 0;
        case 1:
        case 2:
            return 1;
        case 3:
            return 2;
        default:
            return -1;
    }
}

BOOL ChanState_AreBothChannelsConnected() {
    return g_state.connectedMask == 3;
}
BOOL ChanState_IsChannelAConnected() {
    return g_state.connectedMask == 1 || g_state.connectedMask == 3;
}
BOOL ChanState_IsChannelBConnected() {
    return g_state.connectedMask == 2 || g_state.connectedMask == 3;
}
BOOL ChanState_IsChannelModeA(int channel) {
    return ValidChannel(channel) && g_state.mode[channel] == 1;
}
BOOL ChanState_IsChannelPhase1(int channel) {
    return ValidChannel(channel) && g_state.phase[channel] == 1;
}
BOOL ChanState_IsChannelPhase2(int channel) {
    return ValidChannel(channel) && g_state.phase[channel] == 2;
}
void ChanState_SetChannelPhase(int channel, int phase) {
    if (ValidChannel(channel)) {
        g_state.phase[channel] = phase;
    }
}
void ChanState_SetBothChannelPhases(int phase) {
    g_state.phase[0] = g_state.phase[1] = phase;
}

void ChanState_SetPowerChannelOn(int derived, BOOL on) {
    if (ValidChannel(derived)) {
        g_state.powerOn[derived] = on ? 1 : 0;
    }
}
BOOL ChanState_IsPowerChannelOn(int derived) {
    return ValidChannel(derived) && g_state.powerOn[derived] != 0;
}
BYTE ChanState_IsPowerChannel1On() {
    return g_state.powerOn[0];
}
BYTE ChanState_IsPowerChannel2On() {
    return g_state.powerOn[1];
}
void ChanState_SetPowerViewShown(int derived, BOOL shown) {
    if (ValidChannel(derived)) {
        g_state.powerShown[derived] = shown ? 1 : 0;
    }
}
BOOL ChanState_IsPowerViewShown(int derived, BOOL requireOn) {
    if (!ValidChannel(derived) || !g_state.powerShown[derived]) {
        return FALSE;
    }
    return !requireOn || g_state.powerOn[derived] != 0;
}
