#include "workerpool.h"

#include <utility>

namespace kurvanto {

WorkerPool::~WorkerPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    for (std::thread &thread : threads_)
        thread.join();
}

WorkerPool &WorkerPool::shared() {
    static WorkerPool pool;
    return pool;
}

bool WorkerPool::start(std::size_t count, std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (busy_ || quit_)
            return false;
        busy_ = true;
        try {
            while (threads_.size() < count)
                threads_.emplace_back([this] { work(); });
        } catch (...) {
            // No more threads to be had: the run makes do with those there are.
            if (threads_.size() < count)
                count = threads_.size();
        }
        task_ = std::move(task);
        wanted_ = count;
        taken_ = 0;
        running_ = count;
        failure_ = nullptr;
    }
    wake_.notify_all();
    return true;
}

std::exception_ptr WorkerPool::finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return running_ == 0; });
    wanted_ = taken_ = 0;
    task_ = nullptr;
    busy_ = false;
    return std::exchange(failure_, nullptr);
}

std::size_t WorkerPool::size() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return threads_.size();
}

void WorkerPool::work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || taken_ < wanted_; });
        if (taken_ >= wanted_)
            return; // quitting with no task left to take
        ++taken_;
        const std::function<void()> *task = &task_; // stays put until finish() sees us return
        lock.unlock();
        std::exception_ptr failure;
        try {
            (*task)();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (failure && !failure_)
            failure_ = failure;
        if (--running_ == 0)
            done_.notify_all();
    }
}

} // namespace kurvanto
