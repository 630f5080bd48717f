#pragma once

#include <pybind11/pybind11.h>

#include <atomic>
#include <chrono>
#include <future>

namespace korvane::python {

// Runs `work` on its own thread while this one, without the interpreter's
// lock, looks for Ctrl+C every 50 ms: the signal sets `cancel`, waits for the
// work to end (it ends within an electron) and raises as Python raises it.
template <typename Work>
auto runUntilInterrupted(std::atomic<bool>& cancel, Work work)
{
    auto run = std::async(std::launch::async, std::move(work));
    for (;;) {
        {
            const pybind11::gil_scoped_release unlocked;
            if (run.wait_for(std::chrono::milliseconds(50)) == std::future_status::ready)
                return run.get();
        }
        if (PyErr_CheckSignals() != 0) {
            cancel = true;
            {
                const pybind11::gil_scoped_release unlocked;
                run.wait();
            }
            throw pybind11::error_already_set();
        }
    }
}

} // namespace korvane::python
