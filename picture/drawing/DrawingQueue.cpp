#include "drawing/DrawingQueue.hpp"

#include <utility>

namespace curvist {

DrawingQueue::DrawingQueue() : thread_([this] { run(); }) {}

DrawingQueue::~DrawingQueue() {
  {
    const std::lock_guard lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

DrawingQueue::Ticket DrawingQueue::post(std::function<void()> job) {
  Ticket ticket = 0;
  {
    const std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
    ticket = ++posted_;
  }
  changed_.notify_all();
  return ticket;
}

void DrawingQueue::wait_for(Ticket ticket) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return done_ >= ticket; });
}

void DrawingQueue::wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return done_ == posted_; });
}

bool DrawingQueue::has_run(Ticket ticket) {
  const std::lock_guard lock(mutex_);
  return done_ >= ticket;
}

void DrawingQueue::run() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [&] { return !jobs_.empty() || ending_; });
    if (jobs_.empty()) return;
    std::function<void()> job = std::move(jobs_.front());
    jobs_.pop_front();
    lock.unlock();
    job();
    lock.lock();
    ++done_;
    changed_.notify_all();
  }
}

}  // namespace curvist
