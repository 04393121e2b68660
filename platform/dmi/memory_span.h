// How much of a buffer handed in by a caller the process may really touch, so
// that a block or confirm buffer whose declared length runs past its memory is
// refused instead of read or written past its end.
#pragma once
#include <cstddef>

namespace service {

// The bytes from `start`, up to `wanted`, that lie in committed memory the
// process may read (or, with forWriting, write).
size_t AccessibleBytes(const void* start, size_t wanted, bool forWriting);

// Whether address lies in committed memory the process may run.
bool IsCode(const void* address);

}  // namespace service
