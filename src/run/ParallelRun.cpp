#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/ExhaustiveHitSearch.h"
#include "engine/IndexedHitSearch.h"
#include "engine/PhiloxGenerator.h"
#include "engine/RandomGenerator.h"
#include "run/ExactRays.h"
#include "run/FastRays.h"
#include "run/RunLoops.h"

namespace tessolan {
namespace {

// One block's sums, kept until every earlier block has been added to the run's tree.
struct BlockSums {
  std::vector<Extended> emissivity, radiance;
  UncertaintySums uncertainty;
  RaySums sums{nullptr, nullptr, nullptr};
  MapBlock map;
  std::uint32_t block = 0;
  bool ready = false;
};

// The parallel mode of a run. Worker threads take blocks of rays in order from a counter and
// trace each with its own stream; a finished block waits in a slot until the blocks before it
// have been pushed on the block tree, so the run's sums are added in the tree's fixed order
// whatever thread finished first. A shard traces only its range of blocks and keeps its nodes.
// The calling thread only watches: it reports the ticks of the rays traced so far, in order,
// checks the stop request and the field-of-view latch at every status tick, and lets the
// window's events through.
template <class Mode, class HitSearch>
class ParallelRun {
 public:
  using Rays = typename Mode::template Rays<PhiloxGenerator, HitSearch>;

  ParallelRun(AppState& state, RunObserver& observer, const HitSearch& search, const RunOptions& options)
      : state_(state),
        observer_(observer),
        search_(search),
        input_(MakeTracingInput(state)),
        shared_(state),
        nRays_(state.accuracy.NRays),
        blocks_(static_cast<std::uint32_t>(ParallelBlocks(nRays_))),
        seed_(state.randomSeed),
        stopPromptly_(options.stopPromptly),
        target_(state.spectral, state.initialData, options.targetError),
        aimsAtTarget_(options.targetError > 0),
        mapRequest_(options.map) {
    unsigned threads = options.threads;
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    if (options.shard) {
      const auto [first, end] = ShardBlocks(blocks_, options.shard->index, options.shard->count);
      firstBlock_ = static_cast<std::uint32_t>(first), endBlock_ = static_cast<std::uint32_t>(end);
    }
    shard_ = options.shard;
    nextBlock_ = firstBlock_;
    added_ = firstBlock_;
    tickRays_ = std::min<std::uint64_t>(std::uint64_t{endBlock_} * kParallelBlockRays, nRays_) -
                std::min<std::uint64_t>(std::uint64_t{firstBlock_} * kParallelBlockRays, nRays_);
    threads_ = std::clamp<unsigned>(threads, 1, std::max<std::uint32_t>(1, endBlock_ - firstBlock_));
    const int nwl = state.spectral.NWL;
    slots_.resize(threads_ + 2);  // a thread may run two blocks ahead of the slowest
    for (BlockSums& slot : slots_) {
      slot.emissivity.resize(nwl);
      slot.radiance.resize(nwl);
    }
  }

  RunOutcome Run(RunCounters& counters) {
    ClearRunSums(state_.spectral);
    TakeUncertaintyShift();
    std::vector<std::thread> threads;
    threads.reserve(threads_);
    for (unsigned t = 0; t < threads_; ++t) {
      Started(+1);
      try {
        threads.emplace_back([this] { Work(); });
      } catch (const std::system_error&) {
        Started(-1);
        break;  // trace with the threads that could be started
      }
    }
    if (threads.empty()) {
      Started(+1);
      Work();
    }
    Watch();
    for (std::thread& t : threads) t.join();
    if (failure_) std::rethrow_exception(failure_);

    RandomGenerator next(seed_);
    next.Random();
    state_.randomSeed = next.seed();
    counters = {total_.rays, total_.hits};
    const RunOutcome outcome = Conclude();
    if (!shard_) FinishMap(map_.get(), state_, outcome, mapRequest_);
    return outcome;
  }

 private:
  RunOutcome Conclude() {
    // Once the target error was reached, what later blocks met no longer counts.
    if (targetReached_) return Conclude(reached_, false);
    BlockNode total = ZeroNode(state_.spectral.NWL, uncertainty_);
    tree_.Fold(total);
    if (vectorNormZero_) {
      KeepSums(total);
      return RunOutcome::VectorNormZero;
    }
    if (shard_) return ConcludeShard(total);
    return Conclude(total, fovLatched_);
  }

  // What a worker thread works with. It allocates it itself, so that its arrays come from its
  // own part of the heap and never share a cache line with another thread's.
  struct Worker {
    Rays rays;
    std::vector<Extended> blockEmissivity, blockRadiance;
    UncertaintySums blockUncertainty;
    std::unique_ptr<MapBlockSums> blockMap;  // when the run maps
  };

  // The run's sums are those of `total`.
  void KeepSums(const BlockNode& total) {
    SpectralArrays& s = state_.spectral;
    std::copy(total.emissivity.begin(), total.emissivity.end(), s.ArrEEIso.begin());
    std::copy(total.radiance.begin(), total.radiance.end(), s.ArrEE.begin());
  }

  RunOutcome Conclude(const BlockNode& total, bool firstHitOutside) {
    KeepSums(total);
    return ConcludeRun(state_, RunOutcome::Completed, firstHitOutside, total.sumW, total.uncertainty);
  }

  // A shard ends as a whole run would have for what it met, but keeps its nodes, unnormalised.
  RunOutcome ConcludeShard(const BlockNode& total) {
    if (state_.run.StopRequested || fovLatched_) return Conclude(total, fovLatched_);
    shard_->nodes = tree_.TakeNodes();
    shard_->shift = uncertainty_;
    return RunOutcome::Completed;
  }

  // Every block's uncertainty sums share one shift: that of the run's first ray, traced here
  // once more with its own stream.
  void TakeUncertaintyShift() {
    Rays probe(input_, search_, shared_);
    uncertainty_.Reset(state_.spectral.NWL);
    probe.TakeShift(PhiloxGenerator(seed_, 0), uncertainty_);
    for (BlockSums& slot : slots_) slot.uncertainty = uncertainty_;
    map_ = StartMap(state_, mapRequest_, uncertainty_, shared_.radianceScale());
    if (map_)
      for (BlockSums& slot : slots_) slot.map.entries.reserve(2 * kParallelBlockRays);  // two bins a ray
  }
  static_assert(kParallelBlockRays <= kMapBlockRays, "a block's map sums are gathered in double at once");

  void Started(int change) {
    std::lock_guard lock(mutex_);
    running_ += change;
  }

  void Work() {
    try {
      const std::size_t nwl = static_cast<std::size_t>(state_.spectral.NWL);
      Worker worker{Rays(input_, search_, shared_), std::vector<Extended>(nwl), std::vector<Extended>(nwl),
                    uncertainty_, map_ ? std::make_unique<MapBlockSums>(map_->setup, nullptr) : nullptr};
      worker.rays.Begin(uncertainty_);
      while (!abandoned_.load(std::memory_order_relaxed)) {
        const std::uint32_t block = nextBlock_.fetch_add(1);
        if (block >= endBlock_) break;
        BlockSums* slot = WaitForSlot(block);
        if (!slot || !TraceBlock(worker, block, *slot)) break;
        Complete(*slot);
      }
    } catch (...) {
      std::lock_guard lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
      abandoned_ = true;
    }
    std::lock_guard lock(mutex_);
    --running_;
    changed_.notify_all();
  }

  // The slot of `block`, once the block that used it before has been added; null when the run
  // has been abandoned meanwhile.
  BlockSums* WaitForSlot(std::uint32_t block) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return block < added_ + slots_.size() || abandoned_; });
    if (abandoned_) return nullptr;
    BlockSums& slot = slots_[block % slots_.size()];
    slot.block = block;
    return &slot;
  }

  // Traces the rays of `block` from its own stream; false when the run was abandoned or a ray
  // met a zero vector.
  bool TraceBlock(Worker& worker, std::uint32_t block, BlockSums& slot) {
    std::fill(worker.blockEmissivity.begin(), worker.blockEmissivity.end(), Extended{0});
    std::fill(worker.blockRadiance.begin(), worker.blockRadiance.end(), Extended{0});
    worker.blockUncertainty.Reset(state_.spectral.NWL);
    RaySums sums{worker.blockEmissivity.data(), worker.blockRadiance.data(), &worker.blockUncertainty};
    if (worker.blockMap) {
      worker.blockMap->Clear();
      sums.map = worker.blockMap.get();
    }
    PhiloxGenerator rng(seed_, block);
    RayState ray;
    const std::uint64_t first = std::uint64_t{block} * kParallelBlockRays;
    const std::uint64_t end = std::min<std::uint64_t>(first + kParallelBlockRays, nRays_);
    std::uint64_t reported = first;
    for (std::uint64_t r = first; r < end; ++r) {
      if (abandoned_.load(std::memory_order_relaxed)) return false;
      if (!worker.rays.TraceOne(rng, ray, sums)) {
        vectorNormZero_ = true;
        abandoned_ = true;
        return false;
      }
      if (sums.firstHitOutside) {
        fovLatched_ = true;
        abandoned_ = true;
        return false;
      }
      if (r + 1 - reported == 64) {
        traced_.fetch_add(64, std::memory_order_relaxed);
        reported = r + 1;
      }
    }
    traced_.fetch_add(end - reported, std::memory_order_relaxed);
    worker.rays.Flush(sums);
    std::copy(worker.blockEmissivity.begin(), worker.blockEmissivity.end(), slot.emissivity.begin());
    std::copy(worker.blockRadiance.begin(), worker.blockRadiance.end(), slot.radiance.begin());
    slot.uncertainty = worker.blockUncertainty;
    if (worker.blockMap) worker.blockMap->HandOver(slot.map);
    slot.sums = sums;
    return true;
  }

  // Pushes every finished block that is next in order on the run's tree.
  void Complete(BlockSums& slot) {
    std::lock_guard lock(mutex_);
    slot.ready = true;
    for (;;) {
      BlockSums& next = slots_[added_ % slots_.size()];
      if (targetReached_ || !next.ready || next.block != added_) break;
      BlockNode leaf{0, next.block, next.emissivity, next.radiance, next.uncertainty, next.sums.sumW};
      tree_.Push(std::move(leaf));
      total_.rays += next.sums.rays;
      total_.hits += next.sums.hits;
      AddBlockMap(next);
      next.ready = false;
      ++added_;
      if (aimsAtTarget_) CheckTarget();
    }
    changed_.notify_all();
  }

  void AddBlockMap(const BlockSums& block) {
    if (map_) map_->sums.Add(block.map);
  }

  // Whether the sums so far, folded as the run's total would be, reach the target error.
  void CheckTarget() {
    BlockNode total = ZeroNode(state_.spectral.NWL, uncertainty_);
    tree_.Fold(total);
    if (!target_.Reached(total.uncertainty, total.sumW)) return;
    reached_ = std::move(total);
    targetReached_ = true;
    abandoned_ = true;
  }

  void Watch() {
    std::unique_lock lock(mutex_);
    for (;;) {
      const bool finished = running_ == 0;
      lock.unlock();
      const std::uint64_t traced = traced_.load(std::memory_order_relaxed);
      bool goOn = ReportTicks(std::min<std::uint64_t>(traced + 1, tickRays_));
      if (goOn) observer_.LetEventsThrough();
      if (stopPromptly_ && state_.run.StopRequested) goOn = false;
      lock.lock();
      if (!goOn) {
        abandoned_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return running_ == 0; });
        return;
      }
      if (finished) return;
      changed_.wait_for(lock, std::chrono::milliseconds(5));
    }
  }

  // Reports, in order, the status and progress ticks of the rays up to number `upTo` (the ray
  // about to be traced); false when a status tick finds a stop request or the latch set.
  bool ReportTicks(std::uint64_t upTo) {
    RunRecord& run = state_.run;
    for (;;) {
      const std::uint64_t r = std::min(nextStatus_, nextProgress_);
      if (r > upTo) return true;
      run.RayIndex = static_cast<std::uint32_t>(r);
      if (r == nextStatus_) {
        nextStatus_ += run.StatusStep;
        observer_.StatusTick(run.RayIndex);
        if (run.StopRequested || fovLatched_) return false;
        observer_.LetEventsThrough();
      }
      if (r == nextProgress_) {
        nextProgress_ += run.ProgressStep;
        observer_.ProgressTick(static_cast<int>(std::nearbyint(100.0 * r / tickRays_)));
        observer_.LetEventsThrough();
      }
    }
  }

  AppState& state_;
  RunObserver& observer_;
  const HitSearch& search_;
  TracingInput input_;
  const typename Mode::Shared shared_;
  std::uint32_t nRays_;
  std::uint32_t blocks_;
  std::uint32_t firstBlock_ = 0;  // the blocks [firstBlock_, endBlock_) are traced
  std::uint32_t endBlock_ = blocks_;
  std::uint64_t tickRays_ = 0;  // the rays of those blocks
  ShardTrace* shard_ = nullptr;
  std::uint32_t seed_;
  bool stopPromptly_;
  unsigned threads_;
  std::vector<BlockSums> slots_;
  TargetError target_;
  bool aimsAtTarget_ = false;
  UncertaintySums uncertainty_;  // zero sums with the run's shift
  RunMap* mapRequest_;
  std::unique_ptr<MapCollection> map_;  // null when the run maps nothing; its sums under mutex_
  BlockTree tree_;                      // the blocks pushed so far, under mutex_
  bool targetReached_ = false;          // under mutex_
  BlockNode reached_;                   // the sums that reached the target, under mutex_

  std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t added_ = 0;                   // blocks added to the run's sums, under mutex_
  int running_ = 0;                           // workers still going, under mutex_
  std::exception_ptr failure_;                // the first exception of a worker, under mutex_
  RaySums total_{nullptr, nullptr, nullptr};  // rays and hits

  std::atomic<std::uint32_t> nextBlock_{0};
  std::atomic<std::uint64_t> traced_{0};
  std::atomic<bool> abandoned_{false};
  std::atomic<bool> fovLatched_{false};
  std::atomic<bool> vectorNormZero_{false};

  // Watching thread only.
  std::uint64_t nextStatus_ = state_.run.StatusStep;
  std::uint64_t nextProgress_ = state_.run.ProgressStep;
};

}  // namespace

template <class Mode, class HitSearch>
RunOutcome TraceInParallel(AppState& state, RunObserver& observer, const HitSearch& search, const RunOptions& options,
                           RunCounters& counters) {
  ParallelRun<Mode, HitSearch> run(state, observer, search, options);
  return run.Run(counters);
}

template RunOutcome TraceInParallel<ExactMode>(AppState&, RunObserver&, const ExhaustiveHitSearch&, const RunOptions&,
                                               RunCounters&);
template RunOutcome TraceInParallel<ExactMode>(AppState&, RunObserver&, const IndexedHitSearch&, const RunOptions&,
                                               RunCounters&);
template RunOutcome TraceInParallel<FastMode>(AppState&, RunObserver&, const ExhaustiveHitSearch&, const RunOptions&,
                                              RunCounters&);
template RunOutcome TraceInParallel<FastMode>(AppState&, RunObserver&, const IndexedHitSearch&, const RunOptions&,
                                              RunCounters&);

}  // namespace tessolan
