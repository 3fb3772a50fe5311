#pragma once
// Running karven-sim from a test: what it prints, its exit status, and a folder for its files.
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include "support/TempDir.h"

using Json = nlohmann::ordered_json;

namespace {
// A folder for the seasons the tests write, removed at the end.
const karven::test::TempDir scratch;

// Writes a season file of these bytes into the folder; its path.
[[maybe_unused]] std::string WriteSeason(const std::string& name, const std::string& bytes) {
    const std::string path = scratch / name;
    karven::test::WriteBytes(path, bytes);
    return path;
}

struct SimRun {
    int code = -1;
    std::string out, err;
};

// Runs karven-sim with `args` (shell words), keeping what it prints and its exit status.
SimRun RunSim(const std::string& args) {
    const std::string errPath = scratch / "stderr.txt";
    std::string command = std::string(KARVEN_SIM) + " " + args + " 2>" + errPath;
    SimRun run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errPath, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(err), {});
    return run;
}

// Runs karven-sim with `args` and parses what it prints; fails the test on a bad exit.
Json Sim(const std::string& args) {
    SimRun run = RunSim(args);
    EXPECT_EQ(run.code, 0) << args << "\n" << run.err;
    return Json::parse(run.out);
}

} // namespace
