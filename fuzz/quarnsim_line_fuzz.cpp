// Feeds arbitrary bytes through the simulator's line assembly, parser and dispatcher, as if a
// client had sent them on the command port.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quarnsim/Instrument.h"
#include "quarnsim/LineAssembler.h"

namespace {

quarnsim::Instrument& SharedInstrument() {
    static quarnsim::Instrument* instrument = [] {
        quarnsim::Options options;
        options.modules = {{"Tavix", 1}, {"Sormet", 2}, {"Kintor", 3}, {"Yarlo", 4}};
        auto* created = new quarnsim::Instrument(options);
        created->Initialize(nullptr);
        return created;
    }();
    return *instrument;
}

// A reply holding a line feed would be read by the PC as two replies.
void CheckReply(const std::string& reply) {
    if (reply.find('\n') != std::string::npos)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quarnsim::Instrument& instrument = SharedInstrument();
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    quarnsim::Session session;
    quarnsim::LineAssembler assembler(1024);
    std::vector<quarnsim::LineAssembler::Line> lines;
    assembler.Feed(bytes, lines);
    for (const auto& line : lines) {
        std::string reply;
        if (!line.overflow && instrument.ProcessLine(session, line.text, &reply)) {
            CheckReply(reply);
        }
    }

    // The whole input as one line too, control bytes and all.
    quarnsim::Session direct;
    std::string reply;
    if (instrument.ProcessLine(direct, bytes, &reply))
        CheckReply(reply);
    return 0;
}
