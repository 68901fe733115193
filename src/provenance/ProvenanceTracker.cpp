// ProvenanceTracker: turning each change of the box into a change of the map and of the join ranges.
#include "provenance/ProvenanceTracker.h"

#include <utility>

namespace plinvaro {

ProvenanceTracker::ProvenanceTracker(RichDocument& box) : box_(box) {
  box_.SetChangeListener(this);
}

ProvenanceTracker::~ProvenanceTracker() { box_.SetChangeListener(nullptr); }

ProvenanceTracker::Expecting::Expecting(ProvenanceTracker& tracker, const SpanOrigin& origin)
    : tracker_(tracker) {
  tracker_.expected_ = origin;
}

ProvenanceTracker::Expecting::~Expecting() { tracker_.expected_.reset(); }

SpanOrigin ProvenanceTracker::OriginOf(const TextChange& change) {
  if (change.cause == ChangeCause::User) return SpanOrigin(SpanKind::Typed);
  if (change.cause == ChangeCause::Restore || !expected_) return SpanOrigin(SpanKind::Unknown);
  SpanOrigin origin = *expected_;
  if (IsFileKind(origin.kind) && change.inserted > 0 && !joinShared_.empty()) {
    origin.shared = joinShared_;
  }
  return origin;
}

void ProvenanceTracker::TextChanged(const TextChange& change) {
  Follow(change);
  if (afterChange_) afterChange_();
}

void ProvenanceTracker::Follow(const TextChange& change) {
  ++changes_;
  joins_.Follow(change);
  const std::int32_t length = box_.Length() + (change.ahead ? change.inserted - change.removed : 0);
  if (!box_.ReportsUserChanges()) {
    map_.Reset(length);
    return;
  }
  const SpanOrigin origin = OriginOf(change);
  const bool applied = map_.Replace(change.position, change.removed, change.inserted, origin);
  if (!origin.shared.empty()) joinShared_.clear();
  // A change the map could not follow, or one it missed: vouch for nothing.
  if (!applied || map_.Length() != length) map_.Reset(length);
}

void ProvenanceTracker::BeginJoin(std::int32_t position, JoinRecord before, std::string shared) {
  before.start = position;
  before.end = position;
  before.runWords = runWords_;
  joins_.Push(std::move(before));
  joinShared_ = std::move(shared);
  runWords_ = 0;
}

std::optional<JoinRecord> ProvenanceTracker::EndLastJoin() {
  if (joins_.empty()) return std::nullopt;
  JoinRecord join = joins_.Pop();
  joinShared_.clear();
  runWords_ = join.runWords;
  return join;
}

bool ProvenanceTracker::HoldsUserText(std::int32_t start, std::int32_t end) const {
  return map_.UnitsOfKind(start, end, SpanKind::Typed) > 0 ||
         map_.UnitsOfKind(start, end, SpanKind::Unknown) > 0;
}

}  // namespace plinvaro
