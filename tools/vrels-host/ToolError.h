// The error every command reports by throwing: main prints the message as
// "vrels-host: <message>" on standard error and exits with the status.
#pragma once

#include <stdexcept>
#include <string>

namespace vrelshost {

// Exit statuses: 1 for anything that went wrong while working (a plug-in that
// does not load, an unreadable file, an unknown parameter), 2 for a command
// line that cannot be understood.
const int kFailureStatus = 1;
const int kUsageStatus = 2;

class ToolError : public std::runtime_error {
 public:
  explicit ToolError(const std::string& message, int status = kFailureStatus)
      : std::runtime_error(message), mStatus(status) {}
  int Status() const { return mStatus; }

 private:
  int mStatus;
};

// A command-line mistake: reported with the usage status.
class UsageError : public ToolError {
 public:
  explicit UsageError(const std::string& message) : ToolError(message, kUsageStatus) {}
};

}  // namespace vrelshost
