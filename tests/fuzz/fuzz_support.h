#pragma once
// What the harnesses share: the program's environment, set up once, and a
// reader that takes operations and values from the input.
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

// An offscreen application, a throw-away profile and message boxes that
// answer at once.  Harmless to call again.
void FuzzSetUp();

// Stops the run when a property the harness checks does not hold, so that
// the fuzzer keeps the input (and a replay fails).
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzCheckFailed(#condition, __FILE__, __LINE__);                                       \
    } while (0)
[[noreturn]] void FuzzCheckFailed(const char* what, const char* file, int line);

// Reads values from the front of the input; past its end every value is 0.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    size_t Left() const { return m_size - m_pos; }
    template <class T> T Take() {
        T value{};
        size_t n = sizeof value < Left() ? sizeof value : Left();
        std::memcpy(&value, m_data + m_pos, n);
        m_pos += n;
        return value;
    }
    // A byte string whose length comes first, in one byte.
    QByteArray TakeBytes() {
        size_t n = Take<uint8_t>();
        if (n > Left())
            n = Left();
        QByteArray bytes(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return bytes;
    }
    QByteArray Rest() {
        QByteArray bytes(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(Left()));
        m_pos = m_size;
        return bytes;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};
