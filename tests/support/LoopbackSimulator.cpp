#include "tests/support/LoopbackSimulator.h"

#include <random>

namespace testsupport {

namespace {
std::string RandomLoopbackAddress() {
    static std::mt19937 generator(std::random_device{}());
    std::uniform_int_distribution<int> part(1, 254);
    return "127." + std::to_string(100 + part(generator) % 150) + "." +
           std::to_string(part(generator)) + "." + std::to_string(part(generator));
}
}  // namespace

std::unique_ptr<quarnsim::Simulator> StartLoopbackSimulator(quarnsim::Options options,
                                                            std::string& address) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        options.address = RandomLoopbackAddress();
        auto simulator = std::make_unique<quarnsim::Simulator>(options);
        if (simulator->Start()) {
            address = options.address;
            return simulator;
        }
    }
    return nullptr;
}

}  // namespace testsupport
