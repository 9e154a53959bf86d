// Drives the whole dialogue in-process through a console over a string.
#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "console/memory_streams.h"
#include "console/menu_loop.h"

namespace vergleichsspannung {

namespace {

struct Session {
  int status = -1;
  std::string output;
  std::string warnings;
  Workspace workspace;
};

Session RunSession(const std::string& keys, std::size_t chunk = 4096) {
  Session session;
  MemoryConsole memory(keys, chunk);
  session.status = MenuLoop(&memory.console, &session.workspace);
  session.output = memory.output;
  session.warnings = memory.warnings;
  return session;
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

const char kMenuEnd[] = "F8 q Exit\n";

TEST(MenuLoopTest, OtherKeysChangeNothingAndQEnds) {
  const Session session = RunSession(
      "xAF1\033OP\tWQq"
      "abc");
  EXPECT_EQ(session.status, 0);
  EXPECT_EQ(Count(session.output, kMenuEnd), 11);
  const Workspace start;
  EXPECT_EQ(session.workspace.state, start.state);
  EXPECT_EQ(session.workspace.hypothesis, start.hypothesis);
  EXPECT_EQ(session.workspace.values.slot, start.values.slot);
  EXPECT_EQ(session.output.substr(session.output.size() - 10), kMenuEnd);
}

TEST(MenuLoopTest, PromptsRepeatUntilAChoiceInRange) {
  const Session session = RunSession("a0\n5\n3\nb4\n1\nq");
  EXPECT_EQ(session.status, 0);
  EXPECT_EQ(session.workspace.state, StressState::Axisymmetric);
  EXPECT_EQ(session.workspace.hypothesis, Hypothesis::GEH);
  EXPECT_EQ(Count(session.output, "\nIhre Wahl:"), 5);
  EXPECT_EQ(Count(session.output, kMenuEnd), 3);

  const Session refused = RunSession("a2.5\n3x\nx 4\n99999999999\n-2\n4\nb3\nq");
  EXPECT_EQ(refused.workspace.state, StressState::Plate);
  EXPECT_EQ(refused.workspace.hypothesis, Hypothesis::SH);
  EXPECT_EQ(Count(refused.output, "\nIhre Wahl:"), 7);
}

TEST(MenuLoopTest, UnreadableRepliesNeverMakeAPromptSpin) {
  std::string keys = "a";
  for (int i = 0; i < 10000; ++i) keys += "x\n";
  const Session session = RunSession(keys + std::string(100000, 'y'));
  EXPECT_EQ(session.status, 0);
  EXPECT_EQ(Count(session.output, "\nIhre Wahl:"), 10002);
  EXPECT_EQ(session.workspace.state, StressState::Spatial);
}

TEST(MenuLoopTest, EndOfInputEndsTheDialogueEverywhere) {
  for (const char* keys : {"", "a", "a\n7", "b", "c1\n2", "i", "w", "g", "c1 2 3 4 5 6"}) {
    const Session session = RunSession(keys);
    EXPECT_EQ(session.status, 0) << keys;
    EXPECT_LE(Count(session.output, kMenuEnd), 2) << keys;
  }
  // What was entered before the end stays entered.
  EXPECT_EQ(RunSession("c1\n2").workspace.values.slot,
            (std::array<double, 6>{1, 2, 300, 300, 400, 500}));
}

TEST(EnterValuesTest, FillsTheSlotsOfTheCurrentState) {
  const Session plate = RunSession("a4\nc10\n20\n30\nq");
  EXPECT_EQ(plate.workspace.plate.slot, (std::array<double, 3>{10, 20, 30}));
  EXPECT_EQ(plate.workspace.values.slot, (std::array<double, 6>{10, 20, 30, 300, 400, 500}));

  const Session axisymmetric = RunSession("a3\nc1 2\n3\n4 5\nq");
  EXPECT_EQ(axisymmetric.workspace.values.slot, (std::array<double, 6>{1, 2, 3, 4, 400, 500}));
  EXPECT_EQ(axisymmetric.workspace.plate.slot, (std::array<double, 3>{0, 0, 0}));

  const Session spatial = RunSession("c-1,5 2e2 .5\n5. +6 -7E-1\nq");
  EXPECT_EQ(spatial.workspace.values.slot, (std::array<double, 6>{-1.5, 200, 0.5, 5, 6, -0.7}));
}

TEST(EnterValuesTest, RefusedWordsKeepTheSlotAndLoseTheirLine) {
  const Session session = RunSession("a2\nc1 nan 7\n3\nq");
  EXPECT_EQ(session.workspace.values.slot, (std::array<double, 6>{1, 400, 3, 300, 400, 500}));
  // A refused plate reply leaves the plate's own value, and the shared slot.
  const Session plate = RunSession("a2\nc1 2 3\na4\ncabc\n7\nx\n\nq");
  EXPECT_EQ(plate.workspace.plate.slot, (std::array<double, 3>{0, 7, 0}));
  EXPECT_EQ(plate.workspace.values.slot, (std::array<double, 6>{1, 7, 3, 300, 400, 500}));
  const std::string huge(100000, '7');
  const Session overlong = RunSession("a2\nc" + huge + " 8\n9\n10\nq", 1000);
  EXPECT_EQ(overlong.workspace.values.slot, (std::array<double, 6>{500, 9, 10, 300, 400, 500}));
  // Each refused word is named, with the value it was for and what that keeps.
  EXPECT_EQ(RunSession("a7\nx\n2\nc120 -8O 45\n\"\x01\xff\n9 q").warnings,
            "vergleichsspannung: \"7\" refused for Spannungszustand, which stays 1\n"
            "vergleichsspannung: \"x\" refused for Spannungszustand, which stays 1\n"
            "vergleichsspannung: \"-8O\" refused for SigYY, which stays 400\n"
            "vergleichsspannung: \"\\\"\\x01\\xff\" refused for TauXY, which stays 300\n");
  EXPECT_EQ(
      overlong.warnings,
      "vergleichsspannung: a word of more than 128 bytes refused for SigXX, which stays 500\n");
}

TEST(ReportResultsTest, StoresSigVAndPrintsTheSolvedPrincipalStresses) {
  const Session session = RunSession("c100\n100\n100\n0\n0\n0\ng q");
  EXPECT_EQ(session.workspace.results.SigV, 100);
  EXPECT_NE(session.output.find("Sig1= 100[N/mm2]\nSig2= 100[N/mm2]\nSig3= 100[N/mm2]\n"
                                "SigV= 100[N/mm2]\n\nweiter mit bel.Taste.."),
            std::string::npos);
}

TEST(DialogueTest, OutputDoesNotDependOnHowInputArrives) {
  const std::string keys =
      "a2\nc1 2\n3\nw b3\ng a3\nc5\n6\nx 7\n8\nw g b1\ng a4\nc1,5 -2 3\ng iqa1\ng q";
  const Session whole = RunSession(keys);
  for (std::size_t chunk : {1, 2, 3, 7, 64}) {
    EXPECT_EQ(RunSession(keys, chunk).output, whole.output) << chunk;
  }
}

}  // namespace

}  // namespace vergleichsspannung
