#include "calc/SimulationBatches.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace korvane {

std::uint64_t electronsOfBatch(std::uint64_t electrons, int batch)
{
    const auto b = static_cast<std::uint64_t>(batch);
    return electrons * (b + 1) / kSimulationBatches - electrons * b / kSimulationBatches;
}

Result<void> runSimulationBatches(const SimulationSettings& settings,
                                  const std::function<void(int batch, CounterRandom& random)>& follow)
{
    const std::uint64_t n = settings.electrons;
    std::atomic<int> nextBatch{0};
    std::atomic<bool> stopped{false};
    std::mutex mutex; // over `finished`, `failure` and the progress calls
    int finished = 0;
    std::optional<Failed> failure;
    const auto fail = [&](Failed why) {
        const std::lock_guard lock(mutex);
        if (!failure)
            failure = std::move(why);
        stopped = true;
    };
    const auto batches = [&] {
        for (int b = nextBatch++; b < kSimulationBatches; b = nextBatch++) {
            const std::uint64_t first = n * static_cast<std::uint64_t>(b) / kSimulationBatches;
            const std::uint64_t last = n * static_cast<std::uint64_t>(b + 1) / kSimulationBatches;
            for (std::uint64_t i = first; i < last; ++i) {
                if (stopped.load(std::memory_order_relaxed)
                    || (settings.cancel && settings.cancel->load(std::memory_order_relaxed))) {
                    stopped = true;
                    return;
                }
                CounterRandom random(settings.seed, i);
                follow(b, random);
            }
            const std::lock_guard lock(mutex);
            ++finished;
            if (settings.progress)
                settings.progress(static_cast<double>(finished) / kSimulationBatches);
        }
    };
    // A thread that fails stops the others; its exception never leaves it.
    const auto work = [&] {
        try {
            batches();
        } catch (const std::bad_alloc&) {
            fail({kSimulationOutOfMemory, ErrorCode::OutOfRange});
        } catch (const std::exception& e) {
            fail({std::string("the simulation failed: ") + e.what()});
        } catch (...) {
            fail({"the simulation failed"});
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned threads = std::min<unsigned>(settings.threads == 0 ? cores : settings.threads, kSimulationBatches);
    std::vector<std::thread> pool;
    pool.reserve(threads);
    try {
        for (unsigned t = 1; t < threads; ++t)
            pool.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads than asked: the batches, and so the numbers, are the same.
    }
    work();
    for (std::thread& t : pool)
        t.join();
    if (failure)
        return *failure;
    if (stopped)
        return Failed{"the simulation was cancelled"};
    return {};
}

} // namespace korvane
