// Worker threads for the banded rasteriser.
#include "thread_pool.h"

namespace d3d8sw {

ThreadPool::ThreadPool(int threads) {
  for (int i = 1; i < threads; ++i) workers_.emplace_back([this, i] { work(i); });
}

ThreadPool::~ThreadPool() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  start_.notify_all();
  for (auto& worker : workers_) worker.join();
}

void ThreadPool::run(const std::function<void(int)>& task) {
  if (workers_.empty()) {
    task(0);
    return;
  }
  {
    std::lock_guard lock(mutex_);
    task_ = &task;
    pending_ = static_cast<int>(workers_.size());
    ++generation_;
  }
  start_.notify_all();
  task(0);
  std::unique_lock lock(mutex_);
  done_.wait(lock, [this] { return pending_ == 0; });
  task_ = nullptr;
}

void ThreadPool::work(int index) {
  unsigned seen = 0;
  for (;;) {
    const std::function<void(int)>* task;
    {
      std::unique_lock lock(mutex_);
      start_.wait(lock, [&] { return stop_ || generation_ != seen; });
      if (stop_) return;
      seen = generation_;
      task = task_;
    }
    (*task)(index);
    {
      std::lock_guard lock(mutex_);
      if (--pending_ == 0) done_.notify_one();
    }
  }
}

}  // namespace d3d8sw
