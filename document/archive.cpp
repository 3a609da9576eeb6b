#include "document/archive.h"

#include <utility>

namespace {

constexpr int kBitsPerByte = 8;
constexpr unsigned kByteMask = 0xFF;
constexpr std::size_t kInt16Bytes = 2;

}  // namespace

Archive::Archive(bool storing, std::vector<uint8_t> bytes)
    : m_storing(storing), m_bytes(std::move(bytes)) {}

Archive Archive::ForLoading(std::vector<uint8_t> bytes) { return Archive(false, std::move(bytes)); }

Archive Archive::ForStoring() { return Archive(true, {}); }

bool Archive::IsStoring() const { return m_storing; }

bool Archive::IsLoading() const { return !m_storing; }

void Archive::WriteInt16(int16_t value) {
    const auto bits = static_cast<uint16_t>(value);
    m_bytes.push_back(static_cast<uint8_t>(bits & kByteMask));
    m_bytes.push_back(static_cast<uint8_t>(bits >> kBitsPerByte));
}

bool Archive::ReadInt16(int16_t& value) {
    if (BytesLeft() < kInt16Bytes) return false;
    const unsigned low = m_bytes[m_readPosition];
    const unsigned high = m_bytes[m_readPosition + 1];
    m_readPosition += kInt16Bytes;
    value = static_cast<int16_t>(static_cast<uint16_t>(low | (high << kBitsPerByte)));
    return true;
}

std::size_t Archive::BytesLeft() const { return m_bytes.size() - m_readPosition; }

void Archive::SetFormatError() { m_formatError = true; }

bool Archive::HasFormatError() const { return m_formatError; }

const std::vector<uint8_t>& Archive::Bytes() const { return m_bytes; }
