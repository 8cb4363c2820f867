#include "data/file/OrderedBlocks.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

struct TShared {
    std::mutex Lock;
    std::condition_variable Changed;
    std::size_t Taken = 0;             // blocks taken so far
    std::vector<std::size_t> MadeIn;   // per slot: block made there + 1, or 0
    std::exception_ptr Failure;        // the first failure of a worker
    bool Stop = false;
};

void Work(TShared& s, std::size_t first, std::size_t step, std::size_t blocks, std::size_t slots,
          const std::function<void(std::size_t, std::size_t)>& make) {
    for (std::size_t block = first; block < blocks; block += step) {
        {
            std::unique_lock lock(s.Lock);
            s.Changed.wait(lock, [&] { return s.Stop || block < s.Taken + slots; });
            if (s.Stop)
                return;
        }
        std::exception_ptr failure;
        try {
            make(block % slots, block);
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(s.Lock);
        if (failure) {
            if (!s.Failure)
                s.Failure = failure;
            s.Stop = true;
        } else {
            s.MadeIn[block % slots] = block + 1;
        }
        s.Changed.notify_all();
        if (failure)
            return;
    }
}

} // namespace

bool MakeInOrder(std::size_t blocks, std::size_t workers, std::size_t slots,
                 const std::function<void(std::size_t, std::size_t)>& make,
                 const std::function<void(std::size_t)>& take) {
    workers = std::max<std::size_t>(1, std::min(workers, blocks));
    slots = std::max(slots, std::size_t{1});
    TShared s;
    s.MadeIn.assign(slots, 0);
    std::exception_ptr failure;
    {
        std::vector<std::jthread> threads;
        // Stops the workers before they are joined, also when a take throws.
        struct TStopAtEnd {
            TShared& S;
            ~TStopAtEnd() {
                std::lock_guard lock(S.Lock);
                S.Stop = true;
                S.Changed.notify_all();
            }
        };
        TStopAtEnd stopAtEnd{s};
        try {
            for (std::size_t w = 0; w < workers; ++w)
                threads.emplace_back([&s, w, workers, blocks, slots, &make] {
                    Work(s, w, workers, blocks, slots, make);
                });
        } catch (const std::system_error&) {
            return false; // stopped and joined on the way out; nothing was taken
        }
        try {
            for (std::size_t block = 0; block < blocks; ++block) {
                const std::size_t slot = block % slots;
                {
                    std::unique_lock lock(s.Lock);
                    s.Changed.wait(lock, [&] { return s.Failure || s.MadeIn[slot] == block + 1; });
                    if (s.Failure)
                        break;
                }
                take(slot);
                std::lock_guard lock(s.Lock);
                s.MadeIn[slot] = 0;
                s.Taken = block + 1;
                s.Changed.notify_all();
            }
        } catch (...) {
            failure = std::current_exception();
        }
    } // stopped and joined
    if (failure)
        std::rethrow_exception(failure);
    if (s.Failure)
        std::rethrow_exception(s.Failure);
    return true;
}
