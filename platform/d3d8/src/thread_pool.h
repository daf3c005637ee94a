// A fixed set of worker threads that run one task per thread and wait for all of them.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace d3d8sw {

class ThreadPool {
 public:
  // `threads` counts the calling thread, which runs task 0.
  explicit ThreadPool(int threads);
  ~ThreadPool();
  ThreadPool(const ThreadPool&) = delete;
  ThreadPool& operator=(const ThreadPool&) = delete;

  int size() const { return static_cast<int>(workers_.size()) + 1; }
  // Calls task(i) for every i below size() and returns when all have finished.
  void run(const std::function<void(int)>& task);

 private:
  void work(int index);

  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable start_;
  std::condition_variable done_;
  const std::function<void(int)>* task_ = nullptr;
  unsigned generation_ = 0;
  int pending_ = 0;
  bool stop_ = false;
};

}  // namespace d3d8sw
