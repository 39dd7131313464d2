#include "tools/devsrvsim/DevSrvOptions.h"

#include <charconv>

namespace devsrvsim {

namespace {

bool ParsePort(const std::string& text, int& port) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > 65535) {
        return false;
    }
    port = value;
    return true;
}

}  // namespace

const char* DevSrvUsage() {
    return "usage: kq7b-devsrvsim [options]\n"
           "Plays a network device server on a loopback address: its setup menu and a data port\n"
           "bridged to a serial line.\n"
           "  --address A      loopback address to listen on (127.0.0.0/8; default 127.0.0.1)\n"
           "  --setup-port N   setup menu port (0 = any free port; default 9999)\n"
           "  --data-port N    data port (0 = any free port; default 10001)\n"
           "  --serial PATH    serial line to bridge the data port to (a pseudo-terminal)\n"
           "  --baud N         stored serial rate at start (default 115200)\n"
           "  --banner TEXT    first line of the setup menu (default \"XPico 6.11.0.3\")\n"
           "  --fault NAME     none, silent, garbage, huge-line, slow, close, refuse,\n"
           "                   no-confirm, wrong-prompt\n"
           "  --log FILE       log file (default: standard error)\n"
           "  --help           this text\n";
}

bool ParseDevSrvOptions(const std::vector<std::string>& args, DevSrvProgramOptions& options,
                        std::string& error) {
    options.setup.setupPort = 9999;
    options.setup.dataPort = 10001;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "unknown option or missing value: " + option;
            return false;
        }
        const std::string& value = args[++i];
        bool valid = true;
        if (option == "--address") {
            options.setup.address = value;
        } else if (option == "--setup-port") {
            valid = ParsePort(value, options.setup.setupPort);
        } else if (option == "--data-port") {
            valid = ParsePort(value, options.setup.dataPort);
        } else if (option == "--serial") {
            options.setup.serialPath = value;
        } else if (option == "--baud") {
            valid = options.setup.stored.Set("baud", value);
        } else if (option == "--banner") {
            options.setup.banner = value;
        } else if (option == "--fault") {
            valid = ParseDevSrvFault(value, options.setup.fault);
        } else if (option == "--log") {
            options.logFile = value;
        } else {
            error = "unknown option: " + option;
            return false;
        }
        if (!valid) {
            error = "bad value for " + option + ": " + value;
            return false;
        }
    }
    return true;
}

}  // namespace devsrvsim
