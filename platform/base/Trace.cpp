#include "platform/base/Trace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace kq {
namespace {

struct TraceState {
    std::recursive_mutex mutex;
    TraceSink sink;
    bool hasSink = false;
};

// Never destroyed: static destructors of other objects may still trace at exit.
TraceState& State() {
    static TraceState* state = new TraceState;
    return *state;
}

bool StderrRequested() {
    const char* value = std::getenv("KQ_TRACE");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

}  // namespace

TraceSink SetTraceSink(TraceSink sink) {
    TraceState& state = State();
    std::lock_guard lock(state.mutex);
    TraceSink previous = std::move(state.sink);
    state.sink = std::move(sink);
    state.hasSink = static_cast<bool>(state.sink);
    return previous;
}

bool TraceEnabled() {
    TraceState& state = State();
    {
        std::lock_guard lock(state.mutex);
        if (state.hasSink)
            return true;
    }
    return StderrRequested();
}

void WriteTrace(std::string_view text) {
    TraceState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.sink) {
        // A copy, so that a sink that replaces itself does not destroy the running function.
        TraceSink sink = state.sink;
        sink(text);
    }
    if (StderrRequested()) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    }
}

}  // namespace kq

void OutputDebugString(const char* text) {
    if (text != nullptr)
        kq::WriteTrace(text);
}
