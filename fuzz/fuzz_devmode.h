// A caller's DEVMODE built from fuzz bytes, in an allocation of exactly the bytes its header
// declares (dmSize + dmDriverExtra), but never less than the header itself, so that the header
// can be read. Overruns of the declared size reach the allocation's end and AddressSanitizer.
#pragma once

#include "fuzz/fuzz_input.h"

#include <windows.h>

#include <cstddef>
#include <memory>

// The header bytes a DEVMODE must hold for its size fields to be readable: through dmDriverExtra.
inline constexpr size_t kFuzzHeaderBytes = offsetof(DEVMODEW, dmFields);

class FuzzBuffer {
  public:
    explicit FuzzBuffer(size_t size) : bytes_(new BYTE[size]), size_(size) {}

    BYTE* bytes() { return bytes_.get(); }
    size_t size() const { return size_; }
    DEVMODEW* devmode() { return reinterpret_cast<DEVMODEW*>(bytes_.get()); }

  private:
    std::unique_ptr<BYTE[]> bytes_;
    size_t size_;
};

// The declared size of a DEVMODE header held in the first kFuzzHeaderBytes of header.
inline size_t DeclaredDevModeSize(const BYTE* header) {
    WORD size;
    WORD extra;
    std::memcpy(&size, header + offsetof(DEVMODEW, dmSize), sizeof size);
    std::memcpy(&extra, header + offsetof(DEVMODEW, dmDriverExtra), sizeof extra);
    return size_t{size} + extra;
}

// The allocation a DEVMODE with this header gets.
inline size_t DevModeAllocation(const BYTE* header) {
    const size_t declared = DeclaredDevModeSize(header);
    return declared < kFuzzHeaderBytes ? kFuzzHeaderBytes : declared;
}

// Takes a header from the input, then as many more bytes as it declares.
inline FuzzBuffer TakeDevMode(FuzzInput& input) {
    BYTE header[kFuzzHeaderBytes];
    input.Take(header, sizeof header);
    FuzzBuffer buffer(DevModeAllocation(header));
    std::memcpy(buffer.bytes(), header, sizeof header);
    input.Take(buffer.bytes() + sizeof header, buffer.size() - sizeof header);
    return buffer;
}
