// The exit status of a command-line run, mapped to integers in one place.
#pragma once

namespace vek {

enum class ExitCode {
  Success,         // the usage text was printed, or the list file was written
  WriteFailed,     // the run got as far as writing, and no file was written
  BadCommandLine,  // a switch or its value was refused; nothing was gathered or written
  Declined,        // the person answered no to the question before the scan
  Differences,     // a comparison with a saved list found differences
};

constexpr int exitStatus(ExitCode code) {
  switch (code) {
    case ExitCode::Success:
      return 0;
    case ExitCode::WriteFailed:
      return 1;
    case ExitCode::BadCommandLine:
      return 2;
    case ExitCode::Declined:
      return 3;
    case ExitCode::Differences:
      return 4;
  }
  return 1;
}

}  // namespace vek
