#pragma once
// The simulated box on a pseudo-terminal for an end-to-end test: started at
// `link`, unpaced unless the options say otherwise (a test should not wait
// for 9600 baud), or the test stops with the simulator's reason.

#include "boxsim/BoxSimulator.h"

#include <memory>
#include <stdexcept>
#include <string>

inline boxsim::SimulatorOptions unpacedBox() {
    boxsim::SimulatorOptions options;
    options.paced = false;
    return options;
}

inline std::unique_ptr<boxsim::BoxSimulator>
startSimulatedBox(const std::string& link, const boxsim::SimulatorOptions& options = unpacedBox()) {
    auto box = std::make_unique<boxsim::BoxSimulator>(options);
    std::string why;
    if (!box->start(link, &why))
        throw std::runtime_error("simulator: " + why);
    return box;
}
