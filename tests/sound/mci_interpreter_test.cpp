#include "sound/mci_interpreter.h"

#include <gtest/gtest.h>

#include "sound/sound_support.h"

namespace miravela {
namespace {

struct Step {
  const char* command;
  bool ok;
  const char* reply;
};

// One session of commands, each with the reply it must get, in order: the replies
// depend on what the commands before them did.
TEST(MciInterpreter, RepliesToEachCommandInTurn) {
  test::ScriptedPlayer player;
  player.playable = {{"/s/a.mp3", 900}, {"/s/b c \"d\".wav", 1200}};
  MciInterpreter mci(player);
  const Step steps[] = {
      {"status med mode", false, ""},  // nothing open yet
      {"play med", false, ""},
      {"open \"/s/missing.wav\" alias med", false, ""},
      {"open \"/s/a.mp3\" alias med", true, "1"},
      {"open \"/s/a.mp3\" alias med", false, ""},  // the alias is taken
      {"set med time format milliseconds", true, ""},
      {"set med time format frames", false, ""},
      {"set other time format milliseconds", false, ""},
      {"status med mode", true, "stopped"},
      {"status med length", true, "900"},
      {"status med position", true, "0"},
      {"status med volume", false, ""},
      {"play med", true, ""},
      {"status med mode", true, "playing"},
      {"resume med", false, ""},  // not paused
      {"pause med", true, ""},
      {"status med mode", true, "paused"},
      {"resume med", true, ""},
      {"status med mode", true, "playing"},
      {"stop med", true, ""},
      {"status med mode", true, "stopped"},
      {"play other", false, ""},
      {"close all", true, ""},
      {"status med mode", false, ""},
      {"OPEN \"/s/b c \"d\".wav\" ALIAS Med", true, "2"},  // blanks and quotes in the name
      {"Status MED Mode", true, "stopped"},
      {"close other", false, ""},
      {"close med", true, ""},
      {"open /s/a.mp3 type mpegvideo alias x", true, "3"},
      {"status x mode", true, "stopped"},
      {"open \"/s/a.mp3\"", false, ""},
      {"bogus med", false, ""},
      {"", false, ""},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.command);
    EXPECT_EQ(mci.Send(QString::fromUtf8(step.command)), (MciReply{step.ok, QString::fromUtf8(step.reply)}));
    if (QString(step.command).startsWith("OPEN")) {
      EXPECT_EQ(player.loaded, "/s/b c \"d\".wav");
    }
  }
}

TEST(MciInterpreter, CloseAllUnloadsTheSound) {
  test::ScriptedPlayer player;
  player.playable = {{"/s/a.mp3", 900}};
  MciInterpreter mci(player);
  mci.Send("open \"/s/a.mp3\" alias med");
  mci.Send("play med");
  EXPECT_EQ(mci.Alias(), "med");
  EXPECT_TRUE(mci.Send("close all").ok);
  EXPECT_TRUE(player.loaded.isEmpty());
  EXPECT_TRUE(mci.Alias().isEmpty());
  EXPECT_EQ(player.Mode(), PlayerMode::NotReady);
}

}  // namespace
}  // namespace miravela
