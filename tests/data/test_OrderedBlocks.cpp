#include "data/file/OrderedBlocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// Blocks finish out of order (later ones faster), yet are taken in order,
// never overwritten before they were taken, each exactly once.
TEST(OrderedBlocks, TakesEveryBlockOnceInOrderWhateverFinishesFirst) {
    for (const std::size_t workers : {1u, 2u, 3u, 5u}) {
        for (const std::size_t slots : {1u, 2u, 4u, 7u}) {
            constexpr std::size_t Blocks = 40;
            std::vector<std::size_t> inSlot(slots, SIZE_MAX);
            std::vector<std::size_t> taken;
            MakeInOrder(
                Blocks, workers, slots,
                [&](std::size_t slot, std::size_t block) {
                    std::this_thread::sleep_for(std::chrono::microseconds((Blocks - block) * 5));
                    inSlot[slot] = block;
                },
                [&](std::size_t slot) { taken.push_back(inSlot[slot]); });
            std::vector<std::size_t> expected(Blocks);
            for (std::size_t i = 0; i < Blocks; ++i)
                expected[i] = i;
            EXPECT_EQ(taken, expected) << workers << " workers, " << slots << " slots";
        }
    }
    std::size_t calls = 0;
    MakeInOrder(0, 2, 4, [&](std::size_t, std::size_t) { ++calls; }, [&](std::size_t) { ++calls; });
    EXPECT_EQ(calls, 0u);
}

// A failure on either side ends the work without a hang and arrives at the
// caller as it was thrown; nothing after the failing block is taken.
TEST(OrderedBlocks, AFailureStopsTheWorkersAndReachesTheCaller) {
    for (const bool inMake : {true, false}) {
        std::atomic<std::size_t> made{0};
        std::vector<std::size_t> inSlot(4);
        std::vector<std::size_t> taken;
        try {
            MakeInOrder(
                1000, 2, 4,
                [&](std::size_t slot, std::size_t block) {
                    if (inMake && block == 9)
                        throw std::runtime_error("block 9");
                    inSlot[slot] = block;
                    ++made;
                },
                [&](std::size_t slot) {
                    if (!inMake && inSlot[slot] == 9)
                        throw std::runtime_error("take 9");
                    taken.push_back(inSlot[slot]);
                });
            ADD_FAILURE() << "no failure";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()), inMake ? "block 9" : "take 9");
        }
        ASSERT_LE(taken.size(), 9u);
        for (std::size_t i = 0; i < taken.size(); ++i)
            EXPECT_EQ(taken[i], i);
        EXPECT_LT(made.load(), 20u) << "the workers went on";
    }
}

} // namespace
