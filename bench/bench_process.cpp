// SPDX-License-Identifier: MIT
// Whole processes, start to exit, wall time: quadrix writing a PDF from the
// command line, the floor (a bare Qt program drawing the same black checkers
// with QPdfWriter) alone, with a line of text and linked as quadrix is, and a
// Python process that only imports numpy; the window's start to its first
// paint, and its floor. Run on one core (the children inherit it), the
// repetitions of all benchmarks interleaved so that a change of load on the
// shared machine hits the floors and quadrix alike:
//   taskset -c 0 build/bench/bench_process --benchmark_enable_random_interleaving=true

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kRepetitions = 15;

// Runs argv to its end; false when it could not start or failed.
bool RunProcess(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    const int started = posix_spawnp(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    int status = 0;
    return started == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

const std::string kOut = "/tmp/quadrix-bench-board.pdf";

void Process(benchmark::State& state, std::vector<std::string> args) {
    for (auto _ : state)
        if (!RunProcess(args))
            state.SkipWithError(("failed: " + args[0]).c_str());
    unlink(kOut.c_str());
}

#define PROCESS_BENCHMARK(name, ...)                                                               \
    BENCHMARK_CAPTURE(Process, name, __VA_ARGS__)                                                  \
        ->UseRealTime()                                                                            \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(1)                                                                            \
        ->Repetitions(kRepetitions)                                                                \
        ->ReportAggregatesOnly(true)

// 1417 printer pixels: a 3 cm checker at 1200 dpi; 94: 2 mm.
PROCESS_BENCHMARK(Floor_Default, {QUADRIX_FLOOR_EXE, "5", "6", "1417", kOut});
// The floor with one line of caption text; then linked as quadrix, without
// and with the text: what fonts and the shared libraries cost, in this run.
PROCESS_BENCHMARK(Floor_Default_Caption, {QUADRIX_FLOOR_EXE, "5", "6", "1417", kOut, "caption"});
PROCESS_BENCHMARK(FloorLinked_Default, {QUADRIX_FLOOR_LINKED_EXE, "5", "6", "1417", kOut});
PROCESS_BENCHMARK(FloorLinked_Default_Caption,
                  {QUADRIX_FLOOR_LINKED_EXE, "5", "6", "1417", kOut, "caption"});
PROCESS_BENCHMARK(Quadrix_Default, {QUADRIX_EXE, "--output", kOut});
PROCESS_BENCHMARK(Quadrix_Default_PaperA4, {QUADRIX_EXE, "--paper", "A4", "--output", kOut});
PROCESS_BENCHMARK(Floor_100x100, {QUADRIX_FLOOR_EXE, "100", "100", "94", kOut});
PROCESS_BENCHMARK(Quadrix_100x100, {QUADRIX_EXE, "--columns", "100", "--rows", "100", "--checker",
                                    "2mm", "--output", kOut});
PROCESS_BENCHMARK(Quadrix_100x100_PaperA4, {QUADRIX_EXE, "--columns", "100", "--rows", "100",
                                            "--checker", "2mm", "--paper", "A4", "--output", kOut});
// A board of A0's size tiled over sheets of A4: 40 x 55 checkers of 2 cm
// (80 x 110 cm) over 5 x 5 sheets after the assembly page, and Kalibr's
// AprilGrid of 6 x 6 tags of 8.8 cm over 6 x 3; the floor draws the same
// checkers over as many pages (945 printer pixels: 2 cm at 1200 dpi).
PROCESS_BENCHMARK(Floor_TiledA0, {QUADRIX_FLOOR_EXE, "40", "55", "945", kOut, "tile", "5", "5"});
PROCESS_BENCHMARK(Quadrix_TiledA0_OnA4,
                  {QUADRIX_EXE, "--columns", "40", "--rows", "55", "--checker", "2cm", "--paper",
                   "A4", "--tile", "--output", kOut});
PROCESS_BENCHMARK(Quadrix_TiledAprilGridA0_OnA4,
                  {QUADRIX_EXE, "--target", "aprilgrid", "--columns", "6", "--rows", "6", "--tag",
                   "88mm", "--paper", "A4", "--tile", "--output", kOut});
PROCESS_BENCHMARK(Python_ImportNumpy, {"/usr/bin/python3", "-c", "import numpy"});
// From start to the window's first paint, on the offscreen platform.
PROCESS_BENCHMARK(WindowFloor, {QUADRIX_WINDOW_FLOOR_EXE, "-platform", "offscreen"});
PROCESS_BENCHMARK(WindowFloor_Text, {QUADRIX_WINDOW_FLOOR_EXE, "-platform", "offscreen", "text"});
PROCESS_BENCHMARK(Window, {QUADRIX_WINDOW_EXE, "-platform", "offscreen"});

} // namespace
