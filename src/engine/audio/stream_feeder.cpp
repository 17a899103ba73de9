#include "engine/audio/stream_feeder.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/audio/music_stream.h"

namespace {

class StreamFeeder {
 public:
  StreamFeeder() : thread_([this] { Run(); }) {}
  ~StreamFeeder() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

  void Add(std::shared_ptr<StreamCursor> cursor) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      cursors_.push_back(std::move(cursor));
    }
    wake_.notify_one();
  }

 private:
  void Run() {
    // A buffer holds about 0.7 s; waking every 10 ms keeps it nearly full at little cost.
    constexpr auto kPeriod = std::chrono::milliseconds(10);
    std::vector<std::shared_ptr<StreamCursor>> work;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
      wake_.wait_for(lock, kPeriod);
      if (stop_) break;
      work = cursors_;
      lock.unlock();
      for (const auto& cursor : work) cursor->Fill();
      work.clear();
      lock.lock();
      // Stopped and restarted plays are freed here, never on the audio thread.
      std::erase_if(cursors_, [](const auto& cursor) { return cursor.use_count() == 1; });
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<std::shared_ptr<StreamCursor>> cursors_;
  bool stop_ = false;
  std::thread thread_;  // last: it starts once everything above exists
};

}  // namespace

void FeedStream(std::shared_ptr<StreamCursor> cursor) {
  static StreamFeeder feeder;
  feeder.Add(std::move(cursor));
}
