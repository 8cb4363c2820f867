#pragma once
// Work cut into numbered blocks: made on worker threads, taken in order on
// the calling thread, with a bounded number of blocks made ahead.
#include <cstddef>
#include <functional>

// Block b is made into slot b % slots by make(slot, b) on one of `workers`
// threads; take(slot) then runs on the calling thread, block after block.
// A slot is made again only after its block was taken. The first exception
// of either ends the work and is rethrown once every worker has stopped.
// False when the workers could not be started: then nothing was taken.
bool MakeInOrder(std::size_t blocks, std::size_t workers, std::size_t slots,
                 const std::function<void(std::size_t slot, std::size_t block)>& make,
                 const std::function<void(std::size_t slot)>& take);
