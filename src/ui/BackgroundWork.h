#pragma once
// A platform's background job on a thread of its own: its answers are queued to the windows'
// thread and heard there, one at a time, while the windows wait for the player.

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "shell/Platform.h"

namespace karven::ui {

class BackgroundWork {
public:
    // `answered`: after each answer is heard (the windows are drawn again).
    explicit BackgroundWork(std::function<void()> answered) : answered_(std::move(answered)) {}
    ~BackgroundWork() { Stop(); }
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    void Start(BackgroundJob job);
    // Waits for the thread to end; nothing it told is heard afterwards.
    void Stop();

private:
    struct Run {
        BackgroundJob job;
        std::atomic<bool> stop{false};
        std::mutex lock;
        std::vector<std::string> answers; // told, not yet heard
        std::thread thread;
    };
    void Deliver(unsigned generation);

    std::function<void()> answered_;
    std::unique_ptr<Run> run_;
    unsigned generation_ = 0;
    QObject context_; // the queued deliveries go with it
};

} // namespace karven::ui
