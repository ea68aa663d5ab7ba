// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

namespace torvelin {

// How many bytes one read() of an input or write() of the answers moves at
// most: enough that a batch of short lines costs few system calls.
inline constexpr std::size_t kIoBlockBytes = 64 * 1024;

}  // namespace torvelin
