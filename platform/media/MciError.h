#pragma once

#include <QString>

// The error codes of the multimedia services the button bar's device reports,
// with the texts the platform gives for them.
namespace MciError {

constexpr int None = 0;
constexpr int FileNotFound = 275;
constexpr int InvalidFile = 296;

// The platform's text for the code; empty for a code it does not know.
QString text(int code);

}  // namespace MciError
