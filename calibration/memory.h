#pragma once

// Large buffers: a list of 100 000 samples fills tens of megabytes at once, and on a virtual
// machine each 4 KiB page touched for the first time costs microseconds. Asking the kernel for
// transparent huge pages (where the system allows them on request) makes that a fault per 2 MiB.

#include <cstddef>

namespace calibration {

// Advises huge pages for the whole 2 MiB stretches inside [data, data + bytes); call it on a
// buffer just reserved, before it is filled. Nothing happens for smaller buffers, elsewhere than
// on Linux, or where the system refuses; the buffer's contents are never affected.
void preferHugePages(const void* data, std::size_t bytes);

} // namespace calibration
