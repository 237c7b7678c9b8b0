#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: one Qt application object, created once,
// and a check that stops the run (so libFuzzer keeps the input) when an
// expectation about the result fails.
namespace quiren::fuzz {

// Creates the application object on first use. Call from
// LLVMFuzzerInitialize, after the environment is set up.
void InitQt();

// A scratch folder under $TMPDIR for this process, created on first use.
QString ScratchFolder();

// Called when an expectation fails: prints it and aborts, so that libFuzzer
// keeps the input. The regression tests install a handler that reports the
// failure instead (it may throw).
using FailureHandler = void (*)(const char *message);
void SetFailureHandler(FailureHandler handler);
void CheckFailed(const char *file, int line, const char *expression);

inline QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

} // namespace quiren::fuzz

#define FUZZ_CHECK(cond)                                              \
    do {                                                              \
        if (!(cond))                                                  \
            quiren::fuzz::CheckFailed(__FILE__, __LINE__, #cond);     \
    } while (0)
