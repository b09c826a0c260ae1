// Reads a fuzz input from the front, field by field; whatever the input lacks reads as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

struct FuzzInput {
    const uint8_t* data;
    size_t size;

    // Copies the next n bytes to out, zero-filling what the input no longer holds.
    void Take(void* out, size_t n) {
        const size_t have = n < size ? n : size;
        if (n != 0) { // out may be null, as for an empty vector's data
            std::memset(out, 0, n);
            std::memcpy(out, data, have);
        }
        data += have, size -= have;
    }
    template <typename T> T TakeValue() {
        T value;
        return Take(&value, sizeof value), value;
    }
};

// Stops the run with a crash the fuzzer records, with its stack, when an invariant fails.
#define FUZZ_CHECK(c)                                                                              \
    ((c) ? void() : (std::fputs("invariant failed: " #c "\n", stderr), std::abort()))
