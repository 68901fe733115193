// ProvenanceTracker: keeps the source box's provenance map and join history in step with every change of the box.
//
// It listens to the box (text/RichDocument.h) from construction to destruction;
// the box must outlive it. The controller names the origin of each change it
// makes itself; the user's changes become Typed text, the box's own Undo and
// Redo bring back text of Unknown origin. A box whose face does not report the
// user's changes cannot be followed: its map is one Unknown span. Units are
// UTF-16 units of the box, offsets bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "provenance/JoinHistory.h"
#include "provenance/Provenance.h"
#include "text/RichDocument.h"

namespace plinvaro {

class ProvenanceTracker : public TextChangeListener {
 public:
  explicit ProvenanceTracker(RichDocument& box);
  ~ProvenanceTracker() override;
  ProvenanceTracker(const ProvenanceTracker&) = delete;
  ProvenanceTracker& operator=(const ProvenanceTracker&) = delete;

  void TextChanged(const TextChange& change) override;
  // Called after each change of the box has been followed; empty for none.
  void SetAfterChange(std::function<void()> after) { afterChange_ = std::move(after); }

  const ProvenanceMap& map() const { return map_; }
  const JoinHistory& joins() const { return joins_; }

  // Names the origin of the controller's next changes until the guard ends;
  // `origin`'s strings must stay valid as long. The first file text after a
  // join gets the join's shared words.
  class Expecting {
   public:
    Expecting(ProvenanceTracker& tracker, const SpanOrigin& origin);
    ~Expecting();
    Expecting(const Expecting&) = delete;
    Expecting& operator=(const Expecting&) = delete;

   private:
    ProvenanceTracker& tracker_;
  };

  // A join starts at `position`: the text from there on belongs to it.
  // `before` holds playback as it stood; `shared` the words the join shared.
  void BeginJoin(std::int32_t position, JoinRecord before, std::string shared);
  // Takes back the newest join's record; false when there is none.
  std::optional<JoinRecord> EndLastJoin();
  // Whether [start, end) holds text the user typed or pasted, or text of unknown origin.
  bool HoldsUserText(std::int32_t start, std::int32_t end) const;

  // Changes of the box heard so far.
  std::uint64_t changeCount() const { return changes_; }

  void NoteChunkPlayed() { ++runWords_; }
  std::int32_t runWords() const { return runWords_; }

 private:
  SpanOrigin OriginOf(const TextChange& change);
  void Follow(const TextChange& change);

  RichDocument& box_;
  ProvenanceMap map_;
  JoinHistory joins_;
  std::optional<SpanOrigin> expected_;
  std::string joinShared_;  // waits for the first file text after a join
  std::int32_t runWords_ = 0;
  std::uint64_t changes_ = 0;
  std::function<void()> afterChange_;
};

}  // namespace plinvaro
