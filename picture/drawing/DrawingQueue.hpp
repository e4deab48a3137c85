#pragma once
// Drawing jobs run one after another on a thread of their own, in the order they were
// handed in: giza draws one line while the caller works out the next. Whoever hands
// jobs in calls giza itself only once every job has run.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace curvist {

class DrawingQueue {
 public:
  using Ticket = std::uint64_t;  // a job's place in the order; 0 comes before every job

  DrawingQueue();
  // Runs the jobs still queued, then ends the thread.
  ~DrawingQueue();
  DrawingQueue(const DrawingQueue&) = delete;
  DrawingQueue& operator=(const DrawingQueue&) = delete;

  // Queues a job, which must not throw.
  Ticket post(std::function<void()> job);
  // Returns once the job of `ticket`, and every job before it, has run.
  void wait_for(Ticket ticket);
  // Returns once every job handed in has run.
  void wait();
  // Whether the job of `ticket` has run.
  bool has_run(Ticket ticket);

 private:
  void run();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> jobs_;
  Ticket posted_ = 0;
  Ticket done_ = 0;
  bool ending_ = false;
  std::thread thread_;  // started last, once everything it uses is there
};

}  // namespace curvist
