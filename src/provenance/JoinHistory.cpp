// JoinHistory: keeping each join's range in step with the box.
#include "provenance/JoinHistory.h"

#include <utility>

namespace plinvaro {
namespace {

// A range's start: text inserted exactly there belongs to the range.
std::int32_t MovedStart(std::int32_t mark, const TextChange& c) {
  if (mark <= c.position) return mark;
  if (mark >= c.position + c.removed) return mark + c.inserted - c.removed;
  return c.position;
}

// A range's end: text inserted exactly there belongs to the range too.
std::int32_t MovedEnd(std::int32_t mark, const TextChange& c) {
  if (mark < c.position) return mark;
  if (mark >= c.position + c.removed) return mark + c.inserted - c.removed;
  return c.position + c.inserted;
}

}  // namespace

void JoinHistory::Push(JoinRecord join) {
  if (joins_.size() >= kMaxJoins) joins_.pop_front();
  joins_.push_back(std::move(join));
}

JoinRecord JoinHistory::Pop() {
  JoinRecord join = std::move(joins_.back());
  joins_.pop_back();
  return join;
}

void JoinHistory::Follow(const TextChange& change) {
  for (JoinRecord& join : joins_) {
    join.start = MovedStart(join.start, change);
    join.end = MovedEnd(join.end, change);
  }
}

}  // namespace plinvaro
