// Reads a fuzz input from the front, field by field; whatever the input lacks reads as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // Copies the next n bytes to out, zero-filling what the input no longer holds.
    void Take(void* out, size_t n) {
        const size_t have = n < size_ ? n : size_;
        if (n != 0) { // out may be null, as for an empty vector's data
            std::memset(out, 0, n);
            std::memcpy(out, data_, have);
        }
        data_ += have;
        size_ -= have;
    }
    template <typename T> T TakeValue() {
        T value;
        Take(&value, sizeof value);
        return value;
    }
    size_t Remaining() const { return size_; }

  private:
    const uint8_t* data_;
    size_t size_;
};

// Stops the run with a crash the fuzzer records when an invariant fails.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
