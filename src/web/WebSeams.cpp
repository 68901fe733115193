// The seam views' data for the page: spans in the box's units, a span's tooltip, Show source, the Sources rows with their weights, the found parts' rows.
#include "web/WebFace.h"

#include "desktop/OptionTexts.h"
#include "desktop/SourceRows.h"
#include "panel/SeamMenu.h"
#include "provenance/SeamTexts.h"

namespace plinvaro::web {

using emscripten::val;

val WebFace::Seams() const {
  const ProvenanceMap& map = panel_->provenance();
  std::vector<std::int32_t> fields;
  // A map out of step with the box draws nothing.
  if (map.Length() == sourceBox_.Length()) {
    for (const ProvenanceSpan& span : map.spans()) {
      if (!IsFileKind(span.kind)) continue;
      fields.insert(fields.end(), {sourceBox_.UnitsBefore(span.start), sourceBox_.UnitsBefore(span.end()),
                                   span.file, StartsAtSeam(span) ? 1 : 0});
    }
  }
  val seams = val::object();
  seams.set("revision", static_cast<double>(map.revision()));
  seams.set("spans", val(emscripten::typed_memory_view(fields.size(), fields.data())).call<val>("slice"));
  return seams;
}

double WebFace::SeamRevision() const { return static_cast<double>(panel_->provenance().revision()); }

std::string WebFace::SpanTooltipAt(std::int32_t unit) const {
  return SpanTooltip(panel_->provenance(), sourceBox_.BytesBefore(unit));
}

bool WebFace::CanShowSource(std::int32_t unit) const {
  const ProvenanceMap& map = panel_->provenance();
  const std::int32_t index = map.SpanIndexAt(sourceBox_.BytesBefore(unit));
  return index >= 0 && IsFileKind(map.spans()[static_cast<std::size_t>(index)].kind);
}

bool WebFace::ShowSourceAt(std::int32_t unit) { return panel_->ShowSpanSource(sourceBox_.BytesBefore(unit)); }

val WebFace::Sources() const {
  const std::string directory = controls_.DirectoryText();
  const std::vector<std::string> names = SourceNames(directory);
  val rows = val::array();
  for (const SourceRow& source : SourceRows(panel_->provenance(), directory, names, panel_->weights())) {
    val row = val::object();
    row.set("name", source.name);
    row.set("path", source.path);
    row.set("bytes", static_cast<double>(source.bytes));
    row.set("share", source.inUse() ? ShareText(source.share) : std::string());
    row.set("weight", source.weight ? val(*source.weight) : val::null());
    rows.call<void>("push", row);
  }
  return rows;
}

val WebFace::FoundParts() const {
  val rows = val::array();
  std::int32_t index = 0;
  for (const FoundPartRow& part : FoundPartRows(panel_->results())) {
    const bool leftOut = panel_->PartLeftOut(index++);
    val row = val::object();
    row.set("matchLength", part.matchLength);
    row.set("name", BaseNameOf(part.file) + std::string(leftOut ? kLeftOutMark : std::string_view()));
    row.set("shared", part.shared);
    row.set("continuation", part.continuation);
    row.set("leftOut", leftOut);
    rows.call<void>("push", row);
  }
  return rows;
}

std::string WebFace::ShowSourceText() { return std::string(kShowSourceText); }

}  // namespace plinvaro::web
