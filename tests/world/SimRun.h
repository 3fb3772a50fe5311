#pragma once
// What the balance tools share: karven-sim run as a child, quietly, and a list of seeds.

#include <fcntl.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace karven::balance {

inline bool Run(const std::vector<std::string>& command) {
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// "1,2,5" or "1-40".
inline std::vector<int> Seeds(const std::string& text) {
    std::vector<int> seeds;
    if (size_t dash = text.find('-'); dash != std::string::npos) {
        for (int s = std::stoi(text.substr(0, dash)); s <= std::stoi(text.substr(dash + 1)); ++s) seeds.push_back(s);
        return seeds;
    }
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');) seeds.push_back(std::stoi(item));
    return seeds;
}

} // namespace karven::balance
