#pragma once
// Ends that nobody answers: a termination signal, the session's end, the
// display going away. From the moment one begins, every box writes to
// standard error instead of waiting, and every event loop, also a modal
// dialog's or a box's, returns. A request that comes before the main loop
// runs (during a start-up box) is remembered, since starting the main loop
// would forget it.
#include <functional>
#include <string>
#include <vector>

namespace ForcedEnd {

// From the signal pipe: boxes to standard error, all event loops end.
void Request();
bool Requested();

// Qt ends the process with exit() when the display connection breaks; save
// runs then on the way out and returns the status the process should end
// with (0: leave the status as it is). Armed once the tables are loaded,
// disarmed when the program ends the normal way.
void ArmExitSave(std::function<int()> save);
void DisarmExitSave();

// Writes a forced end's lines to standard error; returns the exit status:
// 1 when a table had to go to a rescue file, else 0.
int Report(const std::vector<std::string>& lines, bool rescued);

} // namespace ForcedEnd
