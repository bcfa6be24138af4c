// VrelsPlugin's preset text files: saving every named parameter, loading a
// file back (the modulation state reset, every parameter first at its
// minimum), and the preset name with its modified mark.
//
// Runs inside OnParamChanged (the Save and Load triggers), or for a host's
// load request, always under the instance mutex: the audio thread waits for
// a whole load.
#include <cstdio>
#include <cstring>
#include <string>

#include "VendorRequests.h"
#include "VrelsPlugin.h"
#include "editor/EditorPicture.h"
#include "files/PresetText.h"
#include "params/ParameterTable.h"
#include "platform/Files.h"

using vrels::ScopedLock;

namespace {
// Written beside the target, then moved over it once complete.
const char* const kTemporarySuffix = ".tmp";
const int kLineSize = PRESET_KEY_LENGTH + 64;
}  // namespace

void VrelsPlugin::SetPresetNameFromPath(const char* path) {
  PresetNameFromPath(path, mPresetName, sizeof(mPresetName));
  mPresetModified = false;
  ++mPresetNameRevision;
}

bool VrelsPlugin::WritePreset(const char* path) {
  if (!path || !*path) return false;
  const std::string temporary = std::string(path) + kTemporarySuffix;
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  bool written = std::fprintf(file, "V%d.%d\n", PRESET_VERSION_MAJOR, PRESET_VERSION_MINOR) > 0;
  char line[kLineSize];
  for (int i = 0; i < NParams() && written; ++i) {
    const IParameter* param = GetParam(i);
    if (!param || !param->Name()[0]) continue;
    written =
        FormatPresetLine(line, sizeof line, param->Name(), param->Value()) && std::fputs(line, file) >= 0;
  }
  written = std::fflush(file) == 0 && written && !std::ferror(file);
  written = std::fclose(file) == 0 && written;
  // Only a complete file replaces the old one; a failed write leaves it and
  // the preset name as they were.
  if (!written || !vrels::MoveReplacing(temporary.c_str(), path)) {
    std::remove(temporary.c_str());
    return false;
  }
  SetPresetNameFromPath(path);
  ShowChangesInEditor();
  return true;
}

bool VrelsPlugin::ReadPreset(const char* path) {
  // Not a directory or a device either: those would read as a file without
  // a version line, and the load would report success.
  std::FILE* file = vrels::OpenRegularFileForReading(path);
  if (!file) return false;
  PresetTextReader reader(file);
  bool complete = false;
  if (reader.ReadVersion()) {
    for (int slot = 0; slot < NUM_MOD_SLOTS; ++slot) {
      const IParameter* own = GetParam(kModSlots[slot].mParamIdx);
      mModParams[slot].ResetForPresetLoad(own->Min(), own->Max());
    }
    mMatrix.Reset();
    for (int i = 0; i < NParams(); ++i) {
      if (IParameter* param = GetParam(i)) param->SetFromNormalized(0.0);
    }
    char key[PRESET_KEY_LENGTH + 1];
    double value;
    while (reader.ReadPair(key, &value)) {
      if (IParameter* param = FindParamByName(key)) param->SetClamped(value);
    }
    complete = reader.AtEnd();
  }
  std::fclose(file);
  for (int i = 0; i < NParams(); ++i) OnParamChanged(i);
  if (complete) SetPresetNameFromPath(path);
  ShowAllParametersInEditor();
  ShowChangesInEditor();
  return true;
}

IParameter* VrelsPlugin::FindParamByName(const char* key) {
  if (!key[0]) return nullptr;
  for (int i = 0; i < NParams(); ++i) {
    IParameter* param = GetParam(i);
    if (param && param->Name()[0] && std::strcmp(param->Name(), key) == 0) return param;
  }
  return nullptr;
}

intptr_t VrelsPlugin::OnVendorRequest(int32_t index, intptr_t value, void* ptr, float /*opt*/) {
  if (index != vrelsvendor::kIndex || !ptr) return 0;
  if (value == vrelsvendor::kWriteEditorPicture) return WriteEditorPicture(GetGUI(), static_cast<char*>(ptr));
  if (value != vrelsvendor::kLoadPresetFile) return 0;
  // As the Load button: the file read, then the message line cleared, all
  // under the instance mutex as the button's change handler runs.
  ScopedLock lock(Mutex());
  const bool read = ReadPreset(static_cast<const char*>(ptr));
  mMessage.Clear();
  ShowChangesInEditor();
  return read ? 1 : 0;
}
