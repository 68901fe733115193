// MainPanel's "Export sources...": the provenance of the source box written as a JSON document.
#include <vector>

#include "text/FileWriter.h"
#include "panel/MainPanel.h"
#include "provenance/ProvenanceJson.h"

namespace plinvaro {
namespace {

const std::vector<FileFilter>& ProvenanceFileFilters() {
  static const std::vector<FileFilter> filters = {
      {"JSON Files (*.json)", "*.json"},
      {"All Files (*.*)", "*.*"},
  };
  return filters;
}

}  // namespace

bool MainPanel::ExportSources() {
  const ChangeScope change(*this);
  StopTimer();
  const std::optional<std::string> chosen = dialogs_.ChooseFileToSave(ProvenanceFileFilters());
  if (!chosen || chosen->empty()) return false;
  return ExportSourcesTo(*chosen);
}

bool MainPanel::ExportSourcesTo(const std::string& path) {
  const ChangeScope change(*this);
  const std::string directory = baseDirectory.empty() ? controls_.DirectoryText() : baseDirectory;
  return SaveSucceeded(ReplaceFileContent(path, ProvenanceJson(provenance(), directory)), path);
}

}  // namespace plinvaro
