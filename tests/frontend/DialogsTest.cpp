// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "frontend/Dialogs.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace rp {
namespace {

TEST(ScriptedDialogs, AnswersInOrderThenCancelsAndKeepsMessages) {
  ScriptedDialogs d;
  d.fileAnswers = {std::string("a.txt"), std::nullopt};
  EXPECT_EQ(d.OpenFile({"Open", {}, ""}), "a.txt");
  EXPECT_EQ(d.OpenFile({"Open", {}, ""}), std::nullopt);
  EXPECT_EQ(d.OpenFile({"Open", {}, ""}), std::nullopt);
  EXPECT_EQ(d.requests.size(), 3u);
  d.ShowMessage("hello", MessageKind::Error);
  ASSERT_EQ(d.messages.size(), 1u);
  EXPECT_EQ(d.messages[0].text, "hello");
  EXPECT_EQ(d.messages[0].title, kAppTitle);
}

TEST(ConsoleDialogs, PresetFileIsAnsweredOnceAndMessagesAreCounted) {
  ConsoleDialogs d("x.txt");
  EXPECT_EQ(d.OpenFile({}), "x.txt");
  EXPECT_EQ(d.OpenFile({}), std::nullopt);
  testing::internal::CaptureStderr();
  d.ShowMessage("line one\nline two", MessageKind::Information);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "line one line two\n");
  EXPECT_EQ(d.MessageCount(), 1);
}

}  // namespace
}  // namespace rp

namespace rp {
namespace {

TEST(Dialogs, ATypedNameWithoutExtensionOpensTheFileWithTheDefaultOne) {
  test::TempDir dir;
  const std::string song = dir.Write("song.txt", "x");
  dir.Write("take.mid", "x");
  EXPECT_EQ(WithDefaultExtension(dir.Path("song"), "txt"), song);
  EXPECT_EQ(WithDefaultExtension(song, "txt"), song);
  EXPECT_EQ(WithDefaultExtension(dir.Path("take.mid"), "txt"), dir.Path("take.mid"));
  EXPECT_EQ(WithDefaultExtension(dir.Path("missing"), "txt"), dir.Path("missing"));
  EXPECT_EQ(WithDefaultExtension(dir.Path("song"), ""), dir.Path("song"));
}

}  // namespace
}  // namespace rp
