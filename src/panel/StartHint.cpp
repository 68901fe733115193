// StartHint: the start-up hint's text for each of the choices still to be made.
#include "panel/StartHint.h"

#include "panel/ControlTable.h"

namespace plinvaro {
namespace {

std::string Quoted(ControlId id) { return "\"" + std::string(Control(id).text) + "\""; }

}  // namespace

std::string StartHint(const std::string& baseFile, const std::string& directory) {
  if (baseFile.empty())
    return "Open a base file (File, Open...): F2 plays it, F4 wanders into another .txt file";
  if (directory.empty())
    return "F2 plays the base file; choose a directory with " + Quoted(ControlId::BrowseButton) +
           " and F4 wanders into its .txt files";
  return "F2 plays the base file, F4 wanders into another file of " + directory + "; with " +
         Quoted(ControlId::OnTheFlyCheck) + " off, F4 shows the found part first";
}

}  // namespace plinvaro
