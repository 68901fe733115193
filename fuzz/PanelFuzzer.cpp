// Stateful fuzz target: random command sequences on the headless MainPanel, invariants checked after every step.
//
// The panel runs on the in-memory platform over a small generated directory
// (prose, 8-bit bytes with NUL, a word without white space, an empty file, a
// *.txt subdirectory, a file with more continuations than the part limit).
// After each step: isPlaying exactly when the timer runs; both selections
// inside their documents; at most 51 parts; the part buttons as
// UpdatePartButtons sets them; every played chunk is a word and its white
// space, taken from its file's bytes at the reported offset; the provenance
// spans cover the source text in order, and each file span holds bytes its
// file had at the span's offset.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzScratch.h"
#include "TempDir.h"
#include "text/AnsiConversion.h"
#include "text/CharClass.h"
#include "headless/HeadlessPlatform.h"
#include "panel/MainPanel.h"

namespace plinvaro::fuzz {
namespace {

using headless::HeadlessPlatform;

constexpr int kMaxSteps = 96;
constexpr int kMaxTicksPerStep = 40;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "panel invariant broken: %s\n", what);
  std::abort();
}

void Check(bool holds, const char* what) {
  if (!holds) Fail(what);
}

std::string BaseName(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::u16string Wide(std::string_view bytes) {
  return AnsiToWide(reinterpret_cast<const unsigned char*>(bytes.data()),
                    static_cast<std::int32_t>(bytes.size()));
}

std::string Narrow(const std::u16string& text) {
  return WideToAnsi(text, static_cast<std::int32_t>(text.size()));
}

// Equality through memcmp: an instrumented u16string compare calls a hook
// per character, which made each tick cost a hook call per byte of the box.
bool SameText(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

// `after` is `before` with the range [start, end) replaced by `inserted`.
bool ReplacedBy(std::u16string_view after, std::u16string_view before, TextSelection range,
                std::u16string_view inserted) {
  const auto start = static_cast<std::size_t>(range.start);
  const auto end = static_cast<std::size_t>(range.end);
  if (start > end || end > before.size()) return false;
  if (after.size() != start + inserted.size() + (before.size() - end)) return false;
  return SameText(after.substr(0, start), before.substr(0, start)) &&
         SameText(after.substr(start, inserted.size()), inserted) &&
         SameText(after.substr(start + inserted.size()), before.substr(end));
}

std::string Repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// The generated files by name; `versions` holds every content a name had in
// this run, since a source holds the bytes of the moment it was opened.
struct Corpus {
  FuzzScratch scratch;
  std::string dir;
  std::string saves;
  std::map<std::string, std::string> originals;
  std::map<std::string, std::vector<std::string>> versions;

  Corpus() {
    dir = scratch.Join("corpus");
    saves = scratch.Join("saves");
    std::filesystem::create_directories(dir);
    std::filesystem::create_directories(dir + "/sub.txt");
    std::filesystem::create_directories(saves);
    std::string eightBit = "caf\xe9 na\xefve \xff\x80 word\0hidden tail. the end\r\n";
    eightBit.append(1, '\0');
    eightBit += "after nul \xa0\xa0 spaced";
    originals = {
        {"base.txt", "she walked down the old road, and the old road went on.\r\n"
                     "Where it ended\tnobody knew; the cat sat still.  "},
        {"prose.txt", "the old road went on past the mill. The cat sat on it!\n"
                      "She walked (slowly) down the hill?"},
        {"bytes.txt", eightBit},
        {"long.txt", "the cat sat " + std::string(3000, 'x') + " done"},
        {"empty.txt", ""},
        {"MANY.TXT", Repeat("the cat sat. ", 80) + "end"},
        {"skip.text", "the cat sat on the old road"},
    };
    for (const auto& [name, bytes] : originals) scratch.Write("corpus/" + name, bytes);
  }

  // Puts back every file a run changed.
  void Restore() {
    for (auto& [name, seen] : versions) {
      if (seen.size() > 1 || seen.front() != originals[name])
        scratch.Write("corpus/" + name, originals[name]);
    }
    versions.clear();
    for (const auto& [name, bytes] : originals) versions[name] = {bytes};
  }
};

Corpus& TheCorpus() {
  static Corpus corpus;
  return corpus;
}

class ChunkChecker : public PanelObserver {
 public:
  void ChunkPlayed(const PlayedChunk& chunk) override {
    played = true;
    last = chunk;
    lastFile = std::string(chunk.file);
  }
  bool played = false;
  PlayedChunk last;
  std::string lastFile;
};

// A word and the white space after it, ending at the file's end or before the next word.
bool IsChunkAt(const std::string& file, std::int32_t offset, std::int32_t length) {
  if (offset < 0 || length <= 0) return false;
  const auto end = static_cast<std::size_t>(offset) + static_cast<std::size_t>(length);
  if (end > file.size()) return false;
  std::size_t i = static_cast<std::size_t>(offset);
  while (i < end && !IsSpace(static_cast<unsigned char>(file[i]))) ++i;
  while (i < end && IsSpace(static_cast<unsigned char>(file[i]))) ++i;
  if (i != end) return false;
  return end == file.size() || !IsSpace(static_cast<unsigned char>(file[end]));
}

class Session {
 public:
  Session(Corpus& corpus, FuzzedDataProvider& in) : corpus_(corpus), in_(in) {
    panel_.SetObserver(&chunks_);
  }

  void Run() {
    for (int step = 0; step < kMaxSteps && in_.remaining_bytes() > 0; ++step) {
      Step(in_.ConsumeIntegralInRange(0, 24));
      CheckInvariants();
    }
  }

 private:
  std::string CorpusFile() {
    static const char* const kNames[] = {"base.txt", "prose.txt", "bytes.txt", "long.txt",
                                         "empty.txt", "MANY.TXT", "skip.text"};
    return kNames[in_.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
  }

  std::string DirectoryChoice() {
    switch (in_.ConsumeIntegralInRange(0, 5)) {
      case 0: return corpus_.dir + "/";
      case 1: return corpus_.dir + "/missing";
      case 2: return std::string();
      case 3: return corpus_.dir + "/base.txt";
      default: return corpus_.dir;
    }
  }

  std::optional<std::string> OpenAnswer() {
    switch (in_.ConsumeIntegralInRange(0, 5)) {
      case 0: return std::nullopt;
      case 1: return corpus_.dir + "/missing.txt";
      case 2: return corpus_.dir + "/sub.txt";
      default: return corpus_.dir + "/" + CorpusFile();
    }
  }

  std::int32_t Position(std::int32_t length) {
    return in_.ConsumeIntegralInRange<std::int32_t>(-2, length + 2);
  }

  void Step(int op) {
    switch (op) {
      case 0: panel_.Run(Command::Start); return;
      case 1: panel_.Run(Command::Pause); return;
      case 2: panel_.Run(Command::Stop); return;
      case 3:
        face_.controls.directory = DirectoryChoice();
        panel_.Run(Command::Search);
        if (panel_.lastSearch().kind == SearchOutcomeKind::Found)
          Check(!panel_.PartLeftOut(panel_.CurrentPartIndex()), "the pick took a part of a file of weight 0");
        return;
      case 4: panel_.Run(Command::ToSrc); return;
      case 5:  // the check box flips itself, then sends its command; or the F7 toggle
        if (in_.ConsumeBool()) {
          face_.controls.onTheFly = !face_.controls.onTheFly;
          panel_.Run(Command::OnTheFly);
        } else {
          panel_.SwitchMode(true);
        }
        return;
      case 6: panel_.Run(Command::Prev); return;
      case 7: panel_.Run(Command::Next); return;
      case 8: panel_.Run(Command::More); return;
      case 9: panel_.Run(Command::Accept); return;
      case 10: Type(); return;
      case 11: Delete(); return;
      case 12: {
        const std::int32_t n = face_.sourceBox.Length();
        face_.sourceBox.SetSelection(Position(n), Position(n));
        return;
      }
      case 13: {
        const std::int32_t n = face_.previewBox.Length();
        face_.previewBox.SetSelection(Position(n), Position(n));
        return;
      }
      case 14: Ticks(in_.ConsumeIntegralInRange(1, kMaxTicksPerStep)); return;
      case 15:
        face_.controls.SelectFontSize(in_.ConsumeIntegralInRange(-2, 40));
        panel_.ApplyFontSize();
        return;
      case 16: Speed(); return;
      case 17:
        face_.dialogs.openAnswers.push_back(OpenAnswer());
        panel_.OpenBaseFile();
        return;
      case 18: Save(); return;
      case 19:
        face_.dialogs.folderAnswers.push_back(in_.ConsumeBool()
                                                  ? std::optional<std::string>(DirectoryChoice())
                                                  : std::nullopt);
        panel_.Run(Command::Browse);
        return;
      case 20: Edit(); return;
      case 21:
        if (const auto command = ButtonCommand(in_.ConsumeIntegralInRange(-1, 13))) panel_.Run(*command);
        return;
      case 22: Ticks(1); return;
      case 23: Steer(); return;
      default:
        Ticks(kMaxTicksPerStep * 4);
        return;
    }
  }

  // One of the steering options, with values in range and beyond it.
  void Steer() {
    switch (in_.ConsumeIntegralInRange(0, 4)) {
      case 0: {
        const std::int32_t weight = in_.ConsumeIntegralInRange(-1, kMaxWeight + 1);
        const bool set = panel_.SetSourceWeight(DirectoryChoice(), CorpusFile(), weight);
        Check(set == (weight >= kLeftOutWeight && weight <= kMaxWeight), "a weight out of range was taken");
        return;
      }
      case 1: panel_.SetPickAvoidsCurrentPlace(in_.ConsumeBool()); return;
      case 2: panel_.SetWanders(in_.ConsumeBool()); return;
      case 3: panel_.SetWanderWords(in_.ConsumeIntegralInRange(0, kMaxWanderWords + 2)); return;
      default: panel_.SetMatchCase(in_.ConsumeBool()); return;
    }
  }

  void Type() {
    const std::string bytes = in_.ConsumeRandomLengthString(24);
    const std::int32_t n = face_.sourceBox.Length();
    const std::int32_t at = Position(n);
    face_.sourceBox.SetSelection(at, at);
    face_.sourceBox.ReplaceSelection(Wide(bytes), static_cast<std::int32_t>(bytes.size()));
  }

  void Delete() {
    const std::int32_t n = face_.sourceBox.Length();
    face_.sourceBox.SetSelection(Position(n), Position(n));
    face_.sourceBox.ReplaceSelection(std::u16string(), 0);
  }

  void Edit() {
    switch (in_.ConsumeIntegralInRange(0, 9)) {
      case 0: panel_.CopySource(); return;
      case 1: panel_.CutSource(); return;
      case 2: panel_.PasteSource(); return;
      case 3: panel_.SelectAllSource(); return;
      case 4: UserEdit(ChangeCause::User); return;
      case 5: UserEdit(ChangeCause::Restore); return;
      case 6: panel_.UndoJoin(); return;
      case 7: panel_.RetryJoin(); return;
      case 8: panel_.ShowSpanSource(Position(face_.sourceBox.Length())); return;
      default: panel_.ShowPartAt(in_.ConsumeIntegralInRange(-2, TextSearcher::maxParts + 2)); return;
    }
  }

  // Typing, Delete or the box's own Undo, as a face reports them.
  void UserEdit(ChangeCause cause) {
    const std::int32_t n = face_.sourceBox.Length();
    const std::int32_t start = Position(n);
    const std::int32_t end = Position(n);
    face_.sourceBox.UserReplace(std::min(start, end), std::max(start, end),
                                Wide(in_.ConsumeRandomLengthString(12)), cause);
  }

  void CheckProvenance() {
    const ProvenanceMap& map = panel_.provenance();
    const std::u16string& text = face_.sourceBox.text();
    Check(map.Length() == static_cast<std::int32_t>(text.size()), "provenance length differs from the text");
    std::int32_t next = 0;
    for (const ProvenanceSpan& span : map.spans()) {
      Check(span.start == next && span.length > 0, "provenance spans leave a gap or overlap");
      next = span.end();
      if (!IsFileKind(span.kind)) continue;
      const auto found = corpus_.versions.find(BaseName(map.FilePath(span)));
      Check(found != corpus_.versions.end(), "file span names a file outside the corpus");
      const std::string played = Narrow(std::u16string(text.substr(
          static_cast<std::size_t>(span.start), static_cast<std::size_t>(span.length))));
      Check(span.offset >= 0, "file span before its file's start");
      const auto offset = static_cast<std::size_t>(span.offset);
      bool held = false;
      for (const std::string& version : found->second)
        held = held || (offset <= version.size() && version.size() - offset >= played.size() &&
                        std::memcmp(version.data() + offset, played.data(), played.size()) == 0);
      Check(held, "file span differs from its file's bytes at its offset");
    }
    Check(next == map.Length(), "provenance spans end before the text");
  }

  void Speed() {
    switch (in_.ConsumeIntegralInRange(0, 2)) {
      case 0: panel_.SlowDown(); return;
      case 1: panel_.SpeedUp(); return;
      default:
        // Any value, as a faulty face might report it; the steps must not overflow.
        face_.controls.trackbar = in_.ConsumeIntegral<std::int32_t>();
        panel_.UpdateSpeed();
        Check(panel_.interval() >= 100 && panel_.interval() <= 1200,
              "timer period outside 100..1200 ms");
        return;
    }
  }

  void Save() {
    const int choice = in_.ConsumeIntegralInRange(0, 5);
    std::optional<std::string> answer;
    std::string overwritten;  // corpus file name being replaced
    switch (choice) {
      case 0: break;  // cancelled
      case 1: answer = corpus_.dir; break;
      case 2: answer = corpus_.dir + "/missing/out.txt"; break;
      case 3:
        overwritten = CorpusFile();
        answer = corpus_.dir + "/" + overwritten;
        break;
      default: answer = corpus_.saves + "/out.txt"; break;
    }
    face_.dialogs.saveAnswers.push_back(answer);
    const std::size_t messages = face_.messages.shown.size();
    panel_.SaveSourceAs();
    Check(!face_.timer.running, "Save as... left the timer running");
    if (!answer) {
      Check(face_.messages.shown.size() == messages, "a cancelled save showed a message");
      return;
    }
    const bool failed = face_.messages.shown.size() != messages;
    Check(failed == (choice == 1 || choice == 2), "save outcome differs from the target");
    if (failed) return;
    const std::string text = Narrow(face_.sourceBox.text());
    Check(testing::ReadAll(*answer) == text, "saved file differs from the source box");
    if (!overwritten.empty()) corpus_.versions[overwritten].push_back(text);
  }

  void Ticks(int limit) {
    for (int i = 0; i < limit && face_.timer.running; ++i) Tick();
  }

  void Tick() {
    const std::u16string before = face_.sourceBox.text();
    const TextSelection selection = face_.sourceBox.GetSelection();
    const PlaybackSource from = panel_.playingFrom();  // a wander may switch it after the chunk
    chunks_.played = false;
    panel_.PlaybackTick();
    if (!chunks_.played) {
      Check(SameText(face_.sourceBox.text(), before), "a tick without a chunk changed the source box");
      return;
    }
    const PlayedChunk& c = chunks_.last;
    Check(c.source == from, "chunk from another source than the active one");
    const auto found = corpus_.versions.find(BaseName(chunks_.lastFile));
    Check(found != corpus_.versions.end(), "chunk from a file outside the corpus");
    // Some content the file had in this run must give both the chunk's shape
    // and the text that arrived at the selection.
    bool chunkFromFile = false;
    bool textAsPlayed = false;
    for (const std::string& version : found->second) {
      if (!IsChunkAt(version, c.offset, c.length)) continue;
      chunkFromFile = true;
      const std::u16string inserted = UpToFirstNul(Wide(std::string_view(version).substr(
          static_cast<std::size_t>(c.offset), static_cast<std::size_t>(c.length))));
      textAsPlayed = textAsPlayed || ReplacedBy(face_.sourceBox.text(), before, selection, inserted);
    }
    Check(chunkFromFile, "chunk is not a word and its white space at its offset");
    Check(textAsPlayed, "source box differs from the played chunk");
  }

  // "<<", ">>", "Accept", "\/" as UpdatePartButtons would set them now.
  std::array<bool, 4> ExpectedButtons() {
    const TextSearcher& s = panel_.results();
    const FoundPart* part = s.CurrentPart();
    if (part == nullptr) return {false, false, false, false};
    const std::int64_t loadedEnd = static_cast<std::int64_t>(part->offset) + part->textLength;
    // "<<" and ">>" step past parts of files left out.
    bool before = false;
    bool after = false;
    for (std::int32_t i = 0; i < s.PartCount(); ++i) {
      if (panel_.PartLeftOut(i)) continue;
      before = before || i < s.CurrentIndex();
      after = after || i > s.CurrentIndex();
    }
    return {before, after, true, loadedEnd != static_cast<std::int64_t>(part->fileSize) + 1};
  }

  void CheckSelection(const MemoryDocument& box, const char* what) {
    const TextSelection sel = box.GetSelection();
    Check(0 <= sel.start && sel.start <= sel.end && sel.end <= box.Length(), what);
  }

  void CheckInvariants() {
    CheckProvenance();
    Check(panel_.playing() == face_.timer.running, "isPlaying differs from the timer");
    Check((panel_.runningTimer() != 0) == face_.timer.running, "timer handle differs from the timer");
    CheckSelection(face_.sourceBox, "source selection outside the document");
    CheckSelection(face_.previewBox, "preview selection outside the document");
    const TextSearcher& s = panel_.results();
    Check(s.PartCount() <= TextSearcher::maxParts + 1, "more than 51 parts");
    if (const std::optional<std::int32_t> left = panel_.WordsUntilWander())
      Check(*left >= 1 && *left <= panel_.wanderWords(), "words to the next wander out of range");
    const TextSearcher::PartList::const_iterator current = s.currentPart;
    bool currentListed = current == s.parts().end();
    for (auto it = s.parts().begin(); it != s.parts().end() && !currentListed; ++it)
      currentListed = it == current;
    Check(currentListed, "current part is not in the list");
    for (const auto& part : s.parts()) {
      Check(part->offset > 0 && part->offset < part->fileSize, "part offset outside its file");
      Check(part->TextBytes() <= part->textLength, "part holds more text than it asked for");
    }
    const std::array<bool, 4> buttons = face_.controls.Buttons();
    if (face_.controls.onTheFly || buttons == std::array<bool, 4>{}) {
      Check(buttons == (std::array<bool, 4>{}), "part buttons enabled in On The Fly Mode");
    } else {
      // A part shown for the first time leaves "\/" as it was before its first load.
      const std::array<bool, 4> expected = ExpectedButtons();
      Check(buttons[0] == expected[0] && buttons[1] == expected[1] && buttons[2] == expected[2],
            "\"<<\", \">>\" or \"Accept\" differs from UpdatePartButtons");
      Check(buttons[3] || !expected[3], "\"\\/\" disabled while more text can be loaded");
    }
    for (const TextSource* source : {&panel_.base(), &panel_.found()}) {
      Check(source->position >= 0, "source position below zero");
      Check(source->HasView() || source->size == 0, "closed source with a size");
    }
  }

  Corpus& corpus_;
  FuzzedDataProvider& in_;
  HeadlessPlatform face_;
  MainPanel panel_{face_.platform()};
  ChunkChecker chunks_;
};

}  // namespace
}  // namespace plinvaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plinvaro::fuzz::Corpus& corpus = plinvaro::fuzz::TheCorpus();
  corpus.Restore();
  FuzzedDataProvider in(data, size);
  plinvaro::fuzz::Session session(corpus, in);
  session.Run();
  return 0;
}
