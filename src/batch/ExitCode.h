// The exit status of a command-line run, mapped to integers in one place.
#pragma once

namespace vek {

enum class ExitCode {
  Success,         // the usage text was printed, or the list file was written
  WriteFailed,     // the run got as far as writing, and no file was written
  BadCommandLine,  // a switch or its value was refused; nothing was gathered or written
  Declined,        // the person answered no to the question before the scan
  Differences,     // a comparison with a saved list found differences
  Incomplete,      // the list was written, but something under the folder could not be read
                   // or hashed (each one named on standard error); with a comparison: nothing
                   // differs among what could be compared, but something could not be verified
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
    case ExitCode::Incomplete:
      return 5;
  }
  return 1;
}

}  // namespace vek
