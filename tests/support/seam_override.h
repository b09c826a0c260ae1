// Swaps one entry of a seam table for the life of a test and puts the old one back.
#pragma once

template <typename T> class SeamOverride {
  public:
    SeamOverride(T& slot, T replacement) : slot_(slot), saved_(slot) { slot_ = replacement; }
    ~SeamOverride() { slot_ = saved_; }
    SeamOverride(const SeamOverride&) = delete;
    SeamOverride& operator=(const SeamOverride&) = delete;

  private:
    T& slot_;
    T saved_;
};
