// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fixed-size single-producer, single-consumer queue without locks: the
// replay's timing thread hands messages to the audio thread through it, and
// the audio thread never waits for a lock held by a thread of lower priority.
// Producers on different threads are fine as long as they take turns under a
// lock of their own (the MIDI port's), as are consumers.

#include <array>
#include <atomic>
#include <cstddef>
#include <optional>

namespace rp {

template <class T, std::size_t Capacity>
class SpscQueue {
  static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0, "capacity must be a power of two");

 public:
  // False when the queue is full; the item is then not queued.
  bool Push(const T& item) {
    const std::size_t tail = tail_.load(std::memory_order_relaxed);
    if (tail - head_.load(std::memory_order_acquire) == Capacity) return false;
    items_[tail & (Capacity - 1)] = item;
    tail_.store(tail + 1, std::memory_order_release);
    return true;
  }

  // The item Pop would return next, without taking it (consumer side).
  const T* Peek() const {
    const std::size_t head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire)) return nullptr;
    return &items_[head & (Capacity - 1)];
  }

  std::optional<T> Pop() {
    const std::size_t head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire)) return std::nullopt;
    T item = items_[head & (Capacity - 1)];
    head_.store(head + 1, std::memory_order_release);
    return item;
  }

 private:
  std::array<T, Capacity> items_{};
  alignas(64) std::atomic<std::size_t> head_{0};
  alignas(64) std::atomic<std::size_t> tail_{0};
};

}  // namespace rp
