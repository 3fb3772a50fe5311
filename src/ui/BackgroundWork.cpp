#include "ui/BackgroundWork.h"

#include <QMetaObject>

namespace karven::ui {

void BackgroundWork::Start(BackgroundJob job) {
    Stop();
    if (!job.work) return;
    run_ = std::make_unique<Run>();
    run_->job = std::move(job);
    const unsigned generation = ++generation_;
    Run* run = run_.get();
    run->thread = std::thread([this, run, generation] {
        run->job.work(run->job.request, [this, run, generation](const std::string& answer) {
            {
                std::lock_guard<std::mutex> hold(run->lock);
                run->answers.push_back(answer);
            }
            QMetaObject::invokeMethod(&context_, [this, generation] { Deliver(generation); }, Qt::QueuedConnection);
        }, run->stop);
    });
}

void BackgroundWork::Stop() {
    ++generation_;
    if (!run_) return;
    run_->stop = true;
    if (run_->thread.joinable()) run_->thread.join();
    run_.reset();
}

void BackgroundWork::Deliver(unsigned generation) {
    if (generation != generation_ || !run_) return;
    std::vector<std::string> answers;
    {
        std::lock_guard<std::mutex> hold(run_->lock);
        answers.swap(run_->answers);
    }
    const BackgroundJob::Tell heard = run_->job.heard; // a copy: hearing may start another job
    for (const std::string& answer : answers) {
        if (generation != generation_) return;
        if (heard) heard(answer);
        if (answered_) answered_();
    }
}

} // namespace karven::ui
