#pragma once

#include "core/calc/CalcSheet.h"

#include <QString>

#include <memory>
#include <vector>

// The sheets behind the calculation files in examples/, entered the way a
// user enters them (header inputs, then framing rows cell by cell).
namespace quiren::test {

struct ExampleSheet {
    QString fileName;
    std::unique_ptr<CalcSheet> sheet;
};

std::vector<ExampleSheet> ExampleSheets();

} // namespace quiren::test
