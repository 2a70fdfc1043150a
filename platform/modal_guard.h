// Marks the time a modal box is open. Timers hold still meanwhile, so no
// handler of theirs runs inside the nested event loop of the box.
#pragma once

namespace platform {

class ModalGuard
{
public:
    ModalGuard() { ++depth; }
    ~ModalGuard() { --depth; }
    ModalGuard(const ModalGuard &) = delete;
    ModalGuard &operator=(const ModalGuard &) = delete;

    static bool anyOpen() { return depth > 0; }

private:
    static inline int depth = 0;
};

} // namespace platform
