// A block of bytes owned by one holder. Backed by malloc, so that the tool links nothing of the C++ library.
#pragma once

#include <cstddef>
#include <cstdlib>

class Buffer {
 public:
  Buffer() = default;
  ~Buffer() { std::free(data_); }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;
  Buffer(Buffer&& other) noexcept : data_(other.data_), size_(other.size_) { other.data_ = nullptr, other.size_ = 0; }
  Buffer& operator=(Buffer&& other) noexcept {
    if (this != &other) {
      std::free(data_);
      data_ = other.data_, size_ = other.size_;
      other.data_ = nullptr, other.size_ = 0;
    }
    return *this;
  }

  // Replaces the contents with `size` bytes of zero; false, and empty, when memory runs out.
  bool Allocate(size_t size) {
    std::free(data_);
    data_ = static_cast<unsigned char*>(std::calloc(size ? size : 1, 1));
    size_ = data_ ? size : 0;
    return data_ != nullptr;
  }

  unsigned char* data() const { return data_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  unsigned char& operator[](size_t at) const { return data_[at]; }

 private:
  unsigned char* data_ = nullptr;
  size_t size_ = 0;
};
