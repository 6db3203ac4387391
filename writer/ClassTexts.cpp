// The classes' texts: made by worker threads ahead of the file, written in order.
#include "writer/ClassTexts.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "model/Charset.h"
#include "model/ElemType.h"
#include "writer/ClassWriter.h"
#include "writer/Output.h"
#include "writer/WriterState.h"

namespace {

// The batches a worker may make beyond the last one written, so that few texts
// wait for the file at any time.
constexpr std::size_t kAheadPerWorker = 4;

std::size_t WeightOf(const PElement& element) {
  const PClassType cls = ToClassType(element);
  return 1 + static_cast<std::size_t>(cls->GetMembers()->Count()) +
         static_cast<std::size_t>(cls->GetRelations()->Count());
}

enum class BatchState { kOpen, kTaken, kMade };

// A run of classes in file order [first, end).
struct Batch {
  std::size_t first = 0;
  std::size_t end = 0;
  bool streamed = false;  // only the calling thread takes it, and writes it straight out
  BatchState state = BatchState::kOpen;
  std::string text;  // UTF-8, when a worker made it
  std::exception_ptr error;
};

std::vector<Batch> MakeBatches(const std::vector<PElement>& order, const ClassBatching& batching) {
  std::vector<Batch> batches;
  std::size_t weight = 0;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::size_t classWeight = WeightOf(order[i]);
    const bool streamed = classWeight >= batching.streamWeight;
    if (streamed || batches.empty() || batches.back().streamed || weight >= batching.batchWeight) {
      Batch& batch = batches.emplace_back();
      batch.first = i;
      batch.streamed = streamed;
      weight = 0;
    }
    batches.back().end = i + 1;
    weight += classWeight;
  }
  return batches;
}

// The batches that workers may take.
std::size_t CapturedBatches(const std::vector<Batch>& batches) {
  return static_cast<std::size_t>(std::count_if(
      batches.begin(), batches.end(), [](const Batch& batch) { return !batch.streamed; }));
}

class ClassTextWriter {
 public:
  ClassTextWriter(const std::vector<PElement>& order, const PElemTable& allClasses,
                  const ClassBatching& batching)
      : order_(order),
        allClasses_(allClasses),
        batches_(MakeBatches(order, batching)),
        workerCount_(std::min(batching.workers, CapturedBatches(batches_))),
        ahead_(kAheadPerWorker * std::max<std::size_t>(workerCount_, 1)) {}
  ClassTextWriter(const ClassTextWriter&) = delete;
  ClassTextWriter& operator=(const ClassTextWriter&) = delete;
  // However the writing ends, no worker outlives it.
  ~ClassTextWriter() { StopWorkers(); }

  void Run() {
    StartWorkers();
    for (std::size_t i = 0; i < batches_.size(); ++i) {
      Batch& batch = batches_[i];
      if (TakeOrAwait(i)) {
        WriteClasses(batch);
      } else {
        WriteCapturedText(batch.text);
        std::string().swap(batch.text);
        if (batch.error) std::rethrow_exception(batch.error);
      }
      {
        std::lock_guard lock(mutex_);
        written_ = i + 1;
      }
      changed_.notify_all();
    }
  }

 private:
  // A thread that cannot be started leaves its share to the calling thread.
  void StartWorkers() {
    for (std::size_t k = 0; k < workerCount_; ++k) {
      try {
        workers_.emplace_back([this] { Work(); });
      } catch (const std::system_error&) {
        break;
      }
    }
  }

  void StopWorkers() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }

  // Answers true when the calling thread is to write the batch itself, false
  // once a worker has made it. While a worker makes it, the calling thread
  // makes later batches as the workers do.
  bool TakeOrAwait(std::size_t index) {
    Batch& batch = batches_[index];
    std::unique_lock lock(mutex_);
    while (true) {
      if (batch.state == BatchState::kOpen) {
        batch.state = BatchState::kTaken;
        return true;
      }
      if (batch.state == BatchState::kMade) return false;
      if (!MakeNextOpen(lock)) changed_.wait(lock);
    }
  }

  // Makes the first open batch within reach, if there is one; answers whether
  // it did. The lock is held on entry and on return.
  bool MakeNextOpen(std::unique_lock<std::mutex>& lock) {
    while (next_ < batches_.size() &&
           (batches_[next_].streamed || batches_[next_].state != BatchState::kOpen)) {
      ++next_;
    }
    if (stopping_ || next_ == batches_.size() || next_ >= written_ + ahead_) return false;
    Batch& batch = batches_[next_++];
    batch.state = BatchState::kTaken;
    lock.unlock();
    Make(batch);
    lock.lock();
    batch.state = BatchState::kMade;
    // The file ends with the failed class: no later batch is needed.
    if (batch.error) stopping_ = true;
    changed_.notify_all();
    return true;
  }

  void WriteClasses(const Batch& batch) {
    for (std::size_t i = batch.first; i < batch.end; ++i) WriteClass(order_[i], allClasses_);
  }

  void Work() {
    WriterState state;
    UseWriterState(&state);
    std::unique_lock lock(mutex_);
    while (!stopping_ && next_ < batches_.size()) {
      if (!MakeNextOpen(lock)) changed_.wait(lock);
    }
    lock.unlock();
    UseWriterState(nullptr);
  }

  // Keeps what the classes wrote, up to a failure, as the file would have it.
  void Make(Batch& batch) {
    std::string text;
    CaptureOutput(&text);
    try {
      WriteClasses(batch);
    } catch (...) {
      batch.error = std::current_exception();
    }
    CaptureOutput(nullptr);
    try {
      AppendCp1250AsUtf8(batch.text, text);
    } catch (...) {
      if (!batch.error) batch.error = std::current_exception();
    }
  }

  const std::vector<PElement>& order_;
  const PElemTable& allClasses_;
  std::vector<Batch> batches_;
  const std::size_t workerCount_;
  const std::size_t ahead_;
  std::vector<std::thread> workers_;
  // Guards the batches' states and the fields below.
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t next_ = 0;  // no batch before it is open to the workers
  std::size_t written_ = 0;
  bool stopping_ = false;
};

}  // namespace

ClassBatching DefaultBatching() {
  const unsigned cores = std::thread::hardware_concurrency();
  ClassBatching batching;
  batching.workers = cores == 0 ? 1 : std::min<std::size_t>(cores - 1, 7);
  batching.batchWeight = 1024;
  batching.streamWeight = std::size_t{1} << 16;
  return batching;
}

void WriteClassTexts(const std::vector<PElement>& order, const PElemTable& allClasses,
                     const ClassBatching& batching) {
  ClassTextWriter writer(order, allClasses, batching);
  writer.Run();
}
