// SPDX-License-Identifier: GPL-3.0-or-later
#include "workerpool.h"

#include <chrono>
#include <utility>

namespace kurvanto {

namespace {

// How long a worker woken or done looks for a task before it sleeps.
constexpr std::chrono::microseconds kSpin{1000};

} // namespace

WorkerPool::~WorkerPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
        offered_ = true;
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
        grow(count);
        count = std::min(count, threads_.size());
        task_ = std::move(task);
        wanted_ = count;
        taken_ = 0;
        running_ = count;
        failure_ = nullptr;
        offered_ = count > 0;
    }
    wake_.notify_all();
    return true;
}

void WorkerPool::prepare(std::size_t count) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (busy_ || quit_)
            return;
        grow(count);
        ++wakes_;
    }
    wake_.notify_all();
}

void WorkerPool::grow(std::size_t count) {
    try {
        while (threads_.size() < count)
            threads_.emplace_back([this] { work(); });
    } catch (...) {
        // No more threads to be had: the runs make do with those there are.
    }
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
    std::uint64_t wakes = wakes_;
    for (;;) {
        if (!quit_ && taken_ >= wanted_) {
            // Look for a task a little while before sleeping: the next one often follows
            // soon, and waking from sleep is slow.
            lock.unlock();
            const auto until = std::chrono::steady_clock::now() + kSpin;
            while (!offered_.load(std::memory_order_acquire) &&
                   std::chrono::steady_clock::now() < until)
                std::this_thread::yield();
            lock.lock();
            wake_.wait(lock, [&] { return quit_ || taken_ < wanted_ || wakes_ != wakes; });
            wakes = wakes_;
            if (!quit_ && taken_ >= wanted_)
                continue; // woken ahead of a task: look for it again
        }
        if (taken_ >= wanted_)
            return; // quitting with no task left to take
        if (++taken_ == wanted_)
            offered_ = false;
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
