#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A stream of signed 16-bit little-endian numbers, the unit of a saved game.
// A loading archive reads the bytes of a file read whole; a storing archive
// collects the bytes that are then written to the file in one go, so a file
// is never left half-written by a failure in the middle of a game's data.
class Archive {
public:
    static Archive ForLoading(std::vector<uint8_t> bytes);
    static Archive ForStoring();

    bool IsStoring() const;
    bool IsLoading() const;

    void WriteInt16(int16_t value);
    // False, with value untouched, when fewer than two bytes are left.
    bool ReadInt16(int16_t& value);
    std::size_t BytesLeft() const;

    // Marks the data read as not being a saved game.
    void SetFormatError();
    bool HasFormatError() const;

    const std::vector<uint8_t>& Bytes() const;

private:
    Archive(bool storing, std::vector<uint8_t> bytes);

    bool m_storing;
    std::vector<uint8_t> m_bytes;
    std::size_t m_readPosition = 0;
    bool m_formatError = false;
};
