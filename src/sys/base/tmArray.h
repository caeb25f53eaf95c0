// tmArray.h -- a contiguous array whose storage comes from the tracking allocator.
#pragma once
#include <cstddef>
#include <new>
#include <utility>

#include "sys/base/tmMemory.h"

// Owns its elements. Reserve sets the capacity up front; appending beyond it
// grows the storage (doubling) instead of overrunning it. Not copyable.
template <class T>
class tmArray {
public:
    tmArray() = default;
    explicit tmArray(int capacity) { Reserve(capacity); }
    tmArray(const tmArray&) = delete;
    tmArray& operator=(const tmArray&) = delete;
    tmArray(tmArray&& o) noexcept : data_(o.data_), count_(o.count_), capacity_(o.capacity_) {
        o.data_ = nullptr;
        o.count_ = o.capacity_ = 0;
    }
    tmArray& operator=(tmArray&& o) noexcept {
        if (this != &o) {
            Clear();
            std::swap(data_, o.data_);
            std::swap(count_, o.count_);
            std::swap(capacity_, o.capacity_);
        }
        return *this;
    }
    ~tmArray() { Clear(); }

    // Makes room for at least capacity elements; existing elements stay.
    void Reserve(int capacity) {
        if (capacity > capacity_) Reallocate(capacity);
    }
    // Copies value in at the end; returns the new element.
    T& Append(const T& value) {
        if (count_ == capacity_) Reallocate(capacity_ < 4 ? 8 : capacity_ * 2);
        T* slot = new (data_ + count_) T(value);
        ++count_;
        return *slot;
    }
    // Destroys the elements and frees the storage.
    void Clear() {
        for (int i = 0; i < count_; ++i) data_[i].~T();
        tmFree(data_);
        data_ = nullptr;
        count_ = capacity_ = 0;
    }

    T& operator[](int i) { return data_[i]; }
    const T& operator[](int i) const { return data_[i]; }
    int GetCount() const { return count_; }
    int GetCapacity() const { return capacity_; }
    T* GetData() { return data_; }
    const T* GetData() const { return data_; }
    T* begin() { return data_; }
    T* end() { return data_ + count_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + count_; }

    // Text splits; defined for tmArray<sys::tmVariant> only (sys/base/tmVariant.h).
    static int Split(tmArray* out, int limit, const char* text, int length, const char* delimiter);
    static int SplitAll(tmArray* out, const char* text, int length, const char* delimiter);

private:
    void Reallocate(int capacity) {
        T* fresh = static_cast<T*>(tmAlloc(sizeof(T) * static_cast<size_t>(capacity), "tmArrayImpl", 0));
        if (!fresh) throw std::bad_alloc();
        for (int i = 0; i < count_; ++i) {
            new (fresh + i) T(std::move(data_[i]));
            data_[i].~T();
        }
        tmFree(data_);
        data_ = fresh;
        capacity_ = capacity;
    }

    T* data_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
};
