// Bytes in a heap block of exactly their size, so that AddressSanitizer catches any read past
// their end in the native build (a std::string may hold spare room behind its characters).
#pragma once
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/ByteSpan.h"

class ExactBytes {
public:
    explicit ExactBytes(const std::string& bytes, size_t size = std::string::npos)
        : length(size < bytes.size() ? size : bytes.size()), block(new unsigned char[length]) {
        if (length) std::memcpy(block.get(), bytes.data(), length);
    }
    ByteSpan Span() const { return ByteSpan(block.get(), length); }

private:
    size_t length;
    std::unique_ptr<unsigned char[]> block;
};

inline std::string AsString(const std::vector<unsigned char>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}
inline std::string AsString(ByteSpan bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.Data()), bytes.Size());
}
