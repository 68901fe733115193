// JoinHistory: the joins Undo join can take back, newest last, each with the box range it brought in.
//
// Ranges are UTF-16 units of the source box and follow every change of it;
// playback positions are bytes. Holds at most kMaxJoins joins (the oldest go first).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "text/RichDocument.h"
#include "text/TextSource.h"

namespace plinvaro {

inline constexpr std::size_t kMaxJoins = 1000;

struct JoinRecord {
  // The units the join and the playback after it brought into the box.
  std::int32_t start = 0;
  std::int32_t end = 0;
  // Playback as it stood just before the join.
  PlaybackSource source = PlaybackSource::None;
  std::string path;           // the source's file; empty for None
  std::int32_t position = 0;  // the next byte it would have played
  std::int32_t runWords = 0;  // chunks played since the join before
};

class JoinHistory {
 public:
  bool empty() const { return joins_.empty(); }
  std::size_t size() const { return joins_.size(); }
  const JoinRecord& back() const { return joins_.back(); }
  const std::deque<JoinRecord>& joins() const { return joins_; }

  void Push(JoinRecord join);
  JoinRecord Pop();  // the newest; empty() must be false
  void Clear() { joins_.clear(); }
  // Moves every range as `change` moves the text: a range grows by what is
  // inserted at its end and shrinks by what is removed inside it.
  void Follow(const TextChange& change);

 private:
  std::deque<JoinRecord> joins_;
};

}  // namespace plinvaro
