// A caller's DEVMODE built from fuzz bytes, in an allocation of exactly the bytes its header
// declares (dmSize + dmDriverExtra), but never less than the header itself, so that the header
// can be read. Overruns of the declared size reach the allocation's end and AddressSanitizer.
#pragma once

#include "fuzz/fuzz_input.h"

#include <windows.h>

#include <algorithm>
#include <vector>

using FuzzBytes = std::vector<BYTE>;

// The header bytes a DEVMODE must hold for its size fields to be readable: through dmDriverExtra.
inline constexpr size_t kFuzzHeaderBytes = offsetof(DEVMODEW, dmFields);

inline DEVMODEW* AsDevMode(FuzzBytes& bytes) {
    return reinterpret_cast<DEVMODEW*>(bytes.data());
}

inline size_t DeclaredSize(FuzzBytes& header) {
    return size_t{AsDevMode(header)->dmSize} + AsDevMode(header)->dmDriverExtra;
}

// `size` bytes of the input, at least a header's worth.
inline FuzzBytes TakeBytes(FuzzInput& input, size_t size) {
    FuzzBytes bytes(std::max(size, kFuzzHeaderBytes));
    input.Take(bytes.data(), bytes.size());
    return bytes;
}

// A header, then as many bytes as it declares.
inline FuzzBytes TakeDevMode(FuzzInput& input) {
    FuzzBytes header = TakeBytes(input, 0);
    FuzzBytes bytes(std::max(DeclaredSize(header), kFuzzHeaderBytes));
    std::memcpy(bytes.data(), header.data(), kFuzzHeaderBytes);
    input.Take(bytes.data() + kFuzzHeaderBytes, bytes.size() - kFuzzHeaderBytes);
    return bytes;
}
