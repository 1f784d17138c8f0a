// pass_bench FILE RUNS: times the quality-control pass on the file's bytes,
// in memory, and prints the best time of the runs in seconds. Each run puts
// the command string into the memory the run before it used; the first run
// alone also touches that memory for the first time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "quality_control/quality_control.hpp"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
    std::string text(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0).read(text.data(), static_cast<std::streamsize>(text.size()));
    std::string commands;
    double best = 1e9;
    for (int run = 0; run < std::stoi(argv[2]); ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!qualm::apply_quality_control(text, commands)) return 1;
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    std::printf("%.6f\n", best);
}
