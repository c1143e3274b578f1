#pragma once

// The companion's exit codes, which players' scripts read.
namespace uscita {

inline constexpr int kFatto = 0;
// A file could not be read or written, the output could not be written, or the program met
// something it did not expect.
inline constexpr int kErrore = 1;
// A refusal, or a mistake in how the command was written: nothing was written.
inline constexpr int kRifiuto = 2;

} // namespace uscita
