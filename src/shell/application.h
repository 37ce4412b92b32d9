#pragma once

#include <functional>

class QDialog;

// The program's start, run and end. main() only calls run().
namespace application {

struct Hooks {
    // Called when the login dialog has been shown (benchmarks use it).
    std::function<void(QDialog *)> loginShown;
};

int run(int &argc, char **argv, const Hooks &hooks = {});

} // namespace application
