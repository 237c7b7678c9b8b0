#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: one Qt application object, created once,
// and a check that stops the run (so libFuzzer keeps the input) when an
// expectation about the result fails.
namespace quiren::fuzz {

// Creates the application object on first use. Call from
// LLVMFuzzerInitialize, after the environment is set up.
void InitQt();

// A scratch folder under $TMPDIR for this process, created on first use.
QString ScratchFolder();

inline QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

} // namespace quiren::fuzz

#define FUZZ_CHECK(cond)                                                                   \
    do {                                                                                   \
        if (!(cond)) {                                                                     \
            std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)
