// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small pool of worker threads for the build run: created on first use, grown to the size
// a run asks for, never shrunk, joined when the program ends. Plain std::thread, so thread
// checkers see every synchronisation it makes.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kurvanto {

class WorkerPool {
  public:
    WorkerPool() = default;
    ~WorkerPool();
    WorkerPool(const WorkerPool &) = delete;
    WorkerPool &operator=(const WorkerPool &) = delete;

    // The pool the build runs share.
    static WorkerPool &shared();

    // Runs `task` once on each of `count` workers while the caller goes on; every start that
    // returned true must be followed by finish(). False, with nothing started, when another
    // caller holds the pool (that caller's run goes on undisturbed).
    bool start(std::size_t count, std::function<void()> task);
    // Waits until each worker of the last start has returned from the task and frees the
    // pool. The first exception a task let out is handed back (the task is meant to catch
    // its own); empty when none did.
    std::exception_ptr finish();

    // A task for `count` workers is about to come: they are created if need be and woken
    // now, so that they are running when it comes (a sleeping processor can take
    // milliseconds to wake). Each keeps looking for a task for about a millisecond, then
    // sleeps again. Nothing happens while another caller holds the pool.
    void prepare(std::size_t count);

    // Threads created so far.
    std::size_t size() const;

  private:
    void work();
    void grow(std::size_t count); // under the lock

    mutable std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::vector<std::thread> threads_;
    std::function<void()> task_;
    std::exception_ptr failure_;
    std::size_t wanted_ = 0;  // workers to take the current task
    std::size_t taken_ = 0;   // of them, those that took it
    std::size_t running_ = 0; // of them, those not yet returned
    bool busy_ = false, quit_ = false;
    std::atomic<bool> offered_{false}; // a task waits to be taken (or the pool quits)
    std::uint64_t wakes_ = 0;          // prepare() calls, so that each one wakes the workers
};

} // namespace kurvanto
