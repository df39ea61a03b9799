// Work over many independent items (the members of a large frame) shared
// between two processor cores: the diagrams of a 2,000-member building
// take tens of milliseconds on one core, and the machines the program runs
// on have at least two.
#pragma once

#include <cstddef>
#include <functional>

// Calls `part(first, last)` for the items [first, last) so that together
// the calls cover [0, count) once: two halves on two threads when there
// are at least `least` items and a second core, else one call on this
// thread. Each half must touch only its own items; an exception thrown in
// either half reaches the caller once both are done.
// Below this many members, work of some microseconds a member stays on one
// core: a second thread costs more to start than it saves.
constexpr std::size_t kMembersWorthTwoCores = 200;

void inHalves(std::size_t count, std::size_t least,
              const std::function<void(std::size_t, std::size_t)>& part);
