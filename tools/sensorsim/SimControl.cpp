#include "tools/sensorsim/SimControl.h"

#include <sstream>

namespace sensorsim {

std::string ApplyControlLine(SensorSimulator& simulator, const std::string& line) {
    std::istringstream words(line);
    std::string command;
    int port = -1;
    words >> command >> port;
    if (words.fail() || port < 0 || port >= simulator.PortCount())
        return "error: no such port in '" + line + "'";
    if (command == "vanish" || command == "return") {
        std::string rest;
        if (words >> rest)
            return "error: too many words in '" + line + "'";
        command == "vanish" ? simulator.Vanish(port) : simulator.Return(port);
        return "ok";
    }
    if (command == "stall" || command == "noise") {
        long long ms = -1;
        std::string rest;
        words >> ms;
        if (words.fail() || ms < 0 || (words >> rest))
            return "error: expected '" + command + " PORT MS', got '" + line + "'";
        command == "stall" ? simulator.Stall(port, ms) : simulator.Disturb(port, ms);
        return "ok";
    }
    if (command == "signal") {
        std::string channel, text, rest;
        words >> channel >> text;
        SignalShape shape;
        if ((channel != "a" && channel != "b") || !SignalShape::Parse(text, shape) ||
            (words >> rest))
            return "error: expected 'signal PORT a|b SHAPE', got '" + line + "'";
        simulator.WithSensor(
            port, [&](SimSensor& sensor) { sensor.SetSignal(channel == "a" ? 0 : 1, shape); });
        return "ok";
    }
    return "error: unknown command '" + command + "'";
}

}  // namespace sensorsim
