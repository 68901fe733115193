// StartHint: the start-up hint's text for each of the choices still to be made.
#include "desktop/StartHint.h"

#include "window/ControlTable.h"

namespace plinvaro {
namespace {

// `before`, the control's text in quotes, then `after`; built by appending only.
std::string AroundControl(const char* before, ControlId id, const std::string& after) {
  std::string text = before;
  text += '"';
  text += Control(id).text;
  text += '"';
  text += after;
  return text;
}

}  // namespace

std::string StartHint(const std::string& baseFile, const std::string& directory, StatusForm form) {
  const bool whole = form == StatusForm::Whole;
  if (baseFile.empty())
    return whole ? "Open a base file (File, Open...): F2 plays it, F4 wanders into another .txt file"
                 : "Open a base file (File, Open...): F2 plays, F4 wanders";
  if (directory.empty())
    return whole ? AroundControl("F2 plays the base file; choose a directory with ", ControlId::BrowseButton,
                                 " and F4 wanders into its .txt files")
                 : AroundControl("F2 plays; choose a directory with ", ControlId::BrowseButton,
                                 " for F4 to wander");
  if (!whole) return "F2 plays, F4 wanders into another file of " + LastName(directory);
  const std::string lead = "F2 plays the base file, F4 wanders into another file of " + directory;
  return lead + AroundControl("; with ", ControlId::OnTheFlyCheck,
                              " off, F4 shows the found part first");
}

}  // namespace plinvaro
