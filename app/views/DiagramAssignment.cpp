// The curves of the channels: in time mode each channel draws on its own curve; in the x-channel
// modes the rows name the channels, and channels without a row take the free switched-on rows.
#include "app/views/DiagramAssignment.h"

#include <algorithm>
#include <cmath>

int DiagramAssignment::ValidSource(int source) {
    return source >= 0 && source <= kLastChannelSource ? source : 0;
}

DiagramAssignment DiagramAssignment::FromRows(const DiagramRow (&rows)[IDiagramSource::kRows]) {
    DiagramAssignment a;
    a.xSource = ValidSource(rows[0].source);
    a.xEnabled = rows[0].on != 0;
    for (int c = 0; c < kChannels; ++c) {
        const DiagramRow& row = rows[c + 1];
        a.curveSource[c] = ValidSource(row.source);
        a.curveEnabled[c] = row.on != 0 && a.curveSource[c] >= 1;
        if (a.xSource >= kFirstChannelSource) {
            for (int k = 1; k <= kChannels; ++k) {
                if (ValidSource(rows[k].source) == c + kFirstChannelSource) {
                    a.channelToCurve[c] = k - 1;
                    break;
                }
            }
        }
    }
    if (a.xSource != 0) {
        int start = 1;
        for (int c = 0; c < kChannels; ++c) {
            if (a.channelToCurve[c] != -1 || c + kFirstChannelSource == a.xSource)
                continue;
            for (int k = start; k <= 4; ++k) {
                if (rows[k].on != 0 && ValidSource(rows[k].source) < 1) {
                    a.channelToCurve[c] = k - 1;
                    ++start;
                    break;
                }
            }
        }
    }
    for (int curve = 0; curve < kChannels; ++curve) {
        for (int c = 0; c < kChannels; ++c) {
            if (a.channelToCurve[c] == curve) {
                a.curveToChannel[curve] = c;
                break;
            }
        }
    }
    return a;
}

int DiagramAssignment::CurveOfChannel(int channel, bool multiSensor, int abSelection) const {
    if (channel < 0 || channel >= kChannels)
        return -1;
    if (IsXChannelMode()) {
        if (channel + kFirstChannelSource == xSource)
            return -1;
        return channelToCurve[channel];
    }
    if (!multiSensor && abSelection == 4 && channel < 2)
        return 1 - channel;
    return channel;
}

int DiagramRedrawPeriodMs(double intervalSeconds) {
    constexpr int kShortest = 450;
    const double ms = intervalSeconds * 1000.0;
    if (!std::isfinite(ms) || ms < kShortest)
        return kShortest;
    const double twoThirds = std::trunc(ms) * 2.0 / 3.0;
    return twoThirds < kShortest ? kShortest : static_cast<int>(std::min(twoThirds, 1e9));
}
