// The panel's provenance map through playback, searches, Accept and every kind of user edit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelFixture.h"
#include "ProvenanceCheck.h"
#include "provenance/ProvenanceJson.h"

namespace plinvaro::testing {
namespace {

constexpr const char* kBase = kRoadBase;
constexpr const char* kHill = kRoadHill;

class ProvenanceTest : public RoadPanelTest {
 protected:
  void SetUp() override {
    RoadPanelTest::SetUp();
  }
  const ProvenanceMap& Map() const { return panel.provenance(); }
  std::string Fault() const { return ProvenanceFault(Map(), SourceText()); }
  std::vector<SpanKind> Kinds() const {
    std::vector<SpanKind> kinds;
    for (const ProvenanceSpan& span : Map().spans()) kinds.push_back(span.kind);
    return kinds;
  }
  void Play(int chunks) {
    for (int i = 0; i < chunks; ++i) panel.PlaybackTick();
  }
  // Plays the base file's first seven chunks, then searches on the fly.
  void PlayAndSwitch() {
    panel.StartPlayback();
    Play(7);
    panel.RunSearch();
  }

};

TEST_F(ProvenanceTest, PlaybackOfTheBaseFileIsOneSpanFromItsFirstByte) {
  panel.StartPlayback();
  Play(5);
  ASSERT_EQ(Map().spans().size(), 1u);
  EXPECT_EQ(Map().spans()[0].kind, SpanKind::Base);
  EXPECT_EQ(Map().FilePath(Map().spans()[0]), base);
  EXPECT_EQ(Map().spans()[0].offset, 0);
  EXPECT_EQ(Fault(), "");
}

TEST_F(ProvenanceTest, AnOnTheFlySwitchStartsAFoundSpanThatKnowsTheSharedWords) {
  PlayAndSwitch();
  Play(3);
  ASSERT_EQ(Kinds(), (std::vector<SpanKind>{SpanKind::Base, SpanKind::Found}));
  const ProvenanceSpan& found = Map().spans()[1];
  EXPECT_EQ(found.start, 29);
  EXPECT_EQ(Map().FilePath(found), hill);
  EXPECT_EQ(found.shared, " the old road");
  EXPECT_EQ(Fault(), "");
}

TEST_F(ProvenanceTest, AcceptedTextIsAcceptedFromThePartsFileAndPlaybackFollowsIt) {
  panel.StartPlayback();
  Play(7);
  face.controls.onTheFly = false;
  panel.RunSearch();
  face.previewBox.SetSelection(0, 6);
  panel.AcceptPart();
  panel.StartPlayback();
  Play(2);
  ASSERT_EQ(Kinds(), (std::vector<SpanKind>{SpanKind::Base, SpanKind::Accepted, SpanKind::Found}));
  EXPECT_EQ(Map().spans()[1].length, 6);
  EXPECT_EQ(Map().spans()[1].shared, " the old road");
  EXPECT_EQ(Map().spans()[2].shared, "");
  EXPECT_EQ(Fault(), "");
}

TEST_F(ProvenanceTest, ASelectionFromInsideThePreviewKeepsItsOwnBytesOrigin) {
  face.controls.onTheFly = false;
  SetSourceText("the old road");
  panel.RunSearch();
  const std::int32_t offset = (*panel.currentFoundPart()).offset;
  face.previewBox.SetSelection(3, 8);
  panel.AcceptPart();
  ASSERT_EQ(Kinds(), (std::vector<SpanKind>{SpanKind::Typed, SpanKind::Accepted}));
  EXPECT_EQ(Map().spans()[1].offset, offset + 3);
  EXPECT_EQ(Fault(), "");
}

TEST_F(ProvenanceTest, AcceptingAnEditedPreviewVouchesForNoFile) {
  face.controls.onTheFly = false;
  SetSourceText("the old road");
  panel.RunSearch();
  face.previewBox.UserReplace(0, 1, Wide(";"), ChangeCause::User);
  face.previewBox.SetSelection(0, 5);
  panel.AcceptPart();
  EXPECT_EQ(Kinds(), (std::vector<SpanKind>{SpanKind::Typed, SpanKind::Unknown}));
  EXPECT_EQ(Fault(), "");
}

// One user edit on "The cat sat " (played) and what the map says afterwards.
struct EditCase {
  const char* name;
  void (*edit)(RecordingDocument& box);
  const char* text;
  std::vector<SpanKind> kinds;
  bool ahead = false;
};

class UserEditTest : public ProvenanceTest, public ::testing::WithParamInterface<EditCase> {};

// The same whether the box tells of an edit after it or just before it.
TEST_P(UserEditTest, MapFollowsTheEditAndStillHoldsTheFilesBytes) {
  face.sourceBox.SetReportsAhead(GetParam().ahead);
  panel.StartPlayback();
  Play(3);
  GetParam().edit(face.sourceBox);
  EXPECT_EQ(SourceText(), GetParam().text);
  EXPECT_EQ(Kinds(), GetParam().kinds);
  EXPECT_EQ(Fault(), "");
  // Playback goes on where the caret is; its text is the base file's again.
  panel.PlaybackTick();
  EXPECT_EQ(Fault(), "");
}

using K = SpanKind;
std::vector<EditCase> EditCases(bool ahead) {
  std::vector<EditCase> cases{
        EditCase{"Typing",
                 [](RecordingDocument& b) { b.SetSelection(4, 4); b.TypeOver(u"big "); },
                 "The big cat sat ", {K::Base, K::Typed, K::Base}},
        EditCase{"Delete",
                 [](RecordingDocument& b) { b.UserReplace(3, 4, u"", ChangeCause::User); },
                 "Thecat sat ", {K::Base, K::Base}},
        EditCase{"Cut",
                 [](RecordingDocument& b) { b.SetSelection(0, 4); b.Cut(); },
                 "cat sat ", {K::Base}},
        EditCase{"Paste",
                 [](RecordingDocument& b) {
                   b.SetClipboard(u"a ");
                   b.SetSelection(0, 0);
                   b.Paste();
                 },
                 "a The cat sat ", {K::Typed, K::Base}},
        EditCase{"ReplaceSelection",
                 [](RecordingDocument& b) { b.SetSelection(4, 7); b.TypeOver(u"dog"); },
                 "The dog sat ", {K::Base, K::Typed, K::Base}},
        EditCase{"UndoThenRedo",
                 [](RecordingDocument& b) {
                   b.UserReplace(8, 12, u"", ChangeCause::Restore);
                   b.UserReplace(8, 8, u"sat ", ChangeCause::Restore);
                 },
                 "The cat sat ", {K::Base, K::Unknown}},
        EditCase{"TypingThenDeletingIt",
                 [](RecordingDocument& b) {
                   b.SetSelection(4, 4);
                   b.TypeOver(u"xx");
                   b.UserReplace(4, 6, u"", ChangeCause::User);
                 },
                 "The cat sat ", {K::Base}},
        // Told of changes the box never made: the map no longer matches its length.
        EditCase{"ToldOfAnInsertItDidNotMake",
                 [](RecordingDocument& b) { b.ReportUserChange({4, 0, 1, ChangeCause::User}); },
                 "The cat sat ", {K::Unknown}},
        EditCase{"ToldOfARemovalItDidNotMake",
                 [](RecordingDocument& b) { b.ReportUserChange({0, 4, 0, ChangeCause::User}); },
                 "The cat sat ", {K::Unknown}}};
  for (EditCase& c : cases) c.ahead = ahead;
  return cases;
}

const auto kEditName = [](const ::testing::TestParamInfo<EditCase>& param) { return std::string(param.param.name); };
INSTANTIATE_TEST_SUITE_P(Edits, UserEditTest, ::testing::ValuesIn(EditCases(false)), kEditName);
INSTANTIATE_TEST_SUITE_P(EditsToldAhead, UserEditTest, ::testing::ValuesIn(EditCases(true)), kEditName);

// A face that cannot tell the user's edits.
TEST_F(ProvenanceTest, ABoxThatReportsNoEditsIsOfUnknownOriginThroughout) {
  face.sourceBox.SetReportsUserChanges(false);
  panel.StartPlayback();
  Play(3);
  EXPECT_EQ(Kinds(), (std::vector<SpanKind>{SpanKind::Unknown}));
  EXPECT_EQ(Map().Length(), 12);
}

TEST_F(ProvenanceTest, ANulInTheFileEndsTheInsertedTextAndTheSpan) {
  const std::string nul = dir.Write("zero.txt", std::string("ab\0cd ef", 8));  // "nul.txt" names a device on Windows
  ChooseBase(nul);
  panel.StartPlayback();
  Play(2);
  EXPECT_EQ(SourceText(), "abef");
  EXPECT_EQ(Fault(), "");
}

TEST_F(PanelTest, ExportSourcesWritesTheDocumentAndLeavesTheTextAlone) {
  const std::string base = ChooseBaseWith("one two three");
  face.controls.directory = dir.MakeSubdir("corpus");
  panel.StartPlayback();
  panel.PlaybackTick();
  panel.PlaybackTick();
  const std::string out = dir.Join("sources.json");
  face.dialogs.saveAnswers.push_back(out);
  ASSERT_TRUE(panel.ExportSources());
  EXPECT_EQ(face.dialogs.lastFilters.front().pattern, "*.json");
  EXPECT_FALSE(face.timer.running);
  EXPECT_EQ(ReadAll(out), ProvenanceJson(panel.provenance(), face.controls.directory));
  EXPECT_NE(ReadAll(out).find("\"file\":" + JsonString(base) + ",\"offset\":0"), std::string::npos);
  EXPECT_EQ(SourceText(), "one two ");
  EXPECT_TRUE(panel.HasUnsavedText());

  face.dialogs.saveAnswers.push_back(std::nullopt);
  EXPECT_FALSE(panel.ExportSources());
  EXPECT_FALSE(panel.ExportSourcesTo(dir.Join("missing/sources.json")));
  ASSERT_EQ(face.messages.shown.size(), 1u);
  EXPECT_EQ(face.messages.shown[0].first, kCannotSaveText);
}

}  // namespace
}  // namespace plinvaro::testing
