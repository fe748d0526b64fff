// Requests from worker threads, run later on the main thread.
#pragma once

#include <deque>
#include <functional>
#include <mutex>

namespace qs {

class MainThreadQueue {
public:
    void Push(std::function<void()> fn) {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(fn));
    }
    bool Empty() {
        std::lock_guard<std::mutex> lock(mutex_);
        return queue_.empty();
    }
    void RunAll() {
        std::deque<std::function<void()>> batch;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            batch.swap(queue_);
        }
        for (auto& fn : batch) fn();
    }

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
};

}  // namespace qs
