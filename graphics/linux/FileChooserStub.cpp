#include "FileChooser.h"
std::unique_ptr<FileChooser> FileChooser::Start(Action, const std::string&, unsigned long) {
  return nullptr;
}
