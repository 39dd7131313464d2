// One simulated sensor: answers requests as the sensor does, keeps its eight memory blocks,
// measures a configured load and streams value sets. It checks what it receives as strictly as
// the sensor: frames for another address are ignored, wrong lengths, codes, block numbers and
// values are answered with the matching NAK reason, and nothing is answered while it restarts.
//
// Time is passed in by the caller (milliseconds on any monotonic time line), so the sensor runs
// the same under the real clock and under a test's virtual clock.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "protocol/BlockLayouts.h"
#include "protocol/Frame.h"
#include "tools/sensorsim/SimSensorConfig.h"

namespace sensorsim {

class SimSensor {
  public:
    SimSensor(const SimSensorConfig& config, uint32_t seed);

    // Starts the sensor at nowMs with the settings its blocks hold (address, baud rate,
    // low-pass filter, calibration).
    void PowerOn(int64_t nowMs);

    const SimSensorConfig& Config() const { return m_config; }
    const tarvik::BlockImage& Block(int index) const { return m_blocks[index]; }
    // Replaces a block as if the factory had written it; takes effect at the next power-on.
    void SetBlock(int index, const tarvik::BlockImage& image) { m_blocks[index] = image; }

    // A received frame; the replies are appended to out as complete frames.
    void Receive(const tarvik::Frame& frame, int64_t nowMs, std::vector<std::string>& out);
    // A frame whose check bytes were wrong.
    void ReceiveCorrupted(int64_t nowMs, std::vector<std::string>& out);

    // Ends a restart once its silence is over.
    void Poll(int64_t nowMs);
    bool IsRestarting(int64_t nowMs) const { return m_restartPending && m_restartEndMs > nowMs; }
    bool IsRestartPending() const { return m_restartPending; }
    int64_t RestartEndMs() const { return m_restartEndMs; }

    // Continuous measuring. A slave's samples are taken when its master samples.
    bool IsStreaming() const { return m_streaming; }
    int Role() const { return m_role; }
    int64_t NextSampleMs() const { return m_nextSampleMs; }
    void AdvanceSample() { m_nextSampleMs += tarvik::RatePeriodMs(m_rateIndex); }
    void SkipSamplesUntil(int64_t nowMs);
    // One value set sampled at timeMs, counted with the sensor's own counter or, on a slave,
    // with the master's.
    std::string SampleFrame(int64_t timeMs, std::optional<uint8_t> counter = std::nullopt);
    uint8_t LastCounter() const { return static_cast<uint8_t>(m_counter - 1); }
    // Starts streaming as the request 'C' does (also used to play a sensor left streaming).
    void StartStreaming(int rateIndex, int mode, int64_t nowMs);

    int BaudRate() const { return tarvik::BaudrateFromCode(m_activeBaudCode); }
    uint8_t CalibrationState() const { return m_calibState; }
    bool ControlOn() const { return m_control; }
    void SetSignal(int channel, const SignalShape& signal) {
        m_config.channel[channel].signal = signal;
    }
    // Frames of this sensor were lost on the way out; the long status reports it.
    void NoteFramesDropped() { m_framesDropped = true; }

    // Called after a block write was stored.
    std::function<void(int blockIndex)> onBlockWritten;
    // What the sensor ignored or refused, for the log.
    std::function<void(const std::string&)> onLog;

  private:
    bool IsAddressed(const tarvik::Frame& frame) const;
    void Answer(const tarvik::Frame& frame, int64_t nowMs, std::vector<std::string>& out);
    std::string Reply(uint8_t code, const std::string& data) const;
    template <typename Message>
    std::string Reply(const Message& message) const;
    std::string Nak(uint8_t reason, const char* why);
    std::string WriteBlock(const tarvik::Frame& frame);
    std::string Identification() const;
    std::string StatusLong() const;
    void ApplyOperatingSettings();
    uint8_t BlockValidMask() const;
    void Log(const std::string& text) const;

    SimSensorConfig m_config;
    tarvik::BlockImage m_blocks[tarvik::kBlockCount];
    uint32_t m_noiseState;
    int64_t m_powerOnMs = 0;
    int64_t m_restartEndMs = 0;
    bool m_restartPending = false;

    // Settings in force since the last power-on or restart.
    uint8_t m_address = tarvik::kDefaultBusAddress;
    uint8_t m_activeBaudCode = tarvik::kBaudCode115200;
    uint8_t m_activeLowPass = 0;
    uint8_t m_calibState = tarvik::kCalibNone;
    std::optional<tarvik::CalibrationBlock> m_activeCalibration;

    bool m_streaming = false;
    int m_rateIndex = 0;
    int m_mode = tarvik::kModeCalibrated;
    int64_t m_nextSampleMs = 0;
    int m_role = tarvik::kRoleStandalone;
    bool m_control = false;
    uint8_t m_counter = 0;
    bool m_overload[2] = {false, false};
    bool m_framesDropped = false;
    std::string m_lastReply;
};

}  // namespace sensorsim
