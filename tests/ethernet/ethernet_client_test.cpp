// The client side of the setup dialogue on replayed server bytes: what it tolerates, what it
// refuses, and that it always leaves setup mode.
#include <gtest/gtest.h>

#include "ScriptedTransport.h"
#include "ethernet/SetupMenuClient.h"

namespace {

const std::string kListing =
    "baud=115200\r\ndatabits=8\r\nparity=none\r\nstopbits=1\r\nflow=none\r\ndataport=10001\r\n";

TEST(SetupMenuClientTest, ToleratesLineEndsControlBytesAndUnknownLines) {
    ScriptedTransport transport({std::string("XPico\0 6.1\r\n", 12), "setup: Return\n",
                                 "Welcome!\r\n\r\n", "baud=230400\r\n\x01\x02junk\r\n",
                                 "= no key\r\nflow = none \n", "Your choice?", " "});
    const SetupDeadline deadline(1000);
    SetupMenuClient client(transport, deadline);
    ASSERT_TRUE(client.Enter());
    EXPECT_EQ(client.Banner(), std::string("XPico\0 6.1", 10));
    ASSERT_EQ(client.Settings().size(), 2u);
    EXPECT_EQ(client.Setting("baud"), "230400");
    EXPECT_EQ(client.Setting("flow"), "none");
    EXPECT_EQ(transport.Written(), "\r");
}

TEST(SetupMenuClientTest, CapsLinesAndTheWholeDialogue) {
    ScriptedTransport longLine({std::string(300, 'b') + "\r\n", kListing, "Your choice? "});
    const SetupDeadline deadline(1000);
    {
        SetupMenuClient client(longLine, deadline);
        ASSERT_TRUE(client.Enter());
        EXPECT_EQ(client.Banner(), std::string(SetupLineReader::kMaxLine, 'b'));
    }
    EXPECT_EQ(longLine.Written(), "\rquit\r") << "left setup mode on the way out";
    EXPECT_TRUE(longLine.Closed());

    std::deque<std::string> endless{"XPico\r\n"};
    for (int i = 0; i < 400; ++i) {
        endless.push_back("note=" + std::string(60, 'n') + "\r\n");
    }
    ScriptedTransport flood(endless);
    SetupMenuClient client(flood, deadline);
    EXPECT_FALSE(client.Enter()) << "more than 16 KiB without a prompt";
}

TEST(SetupMenuClientTest, AChangeNeedsItsPromptAndTheConfirmation) {
    const SetupDeadline deadline(1000);
    const auto enterAnd = [&](std::deque<std::string> rest) {
        std::deque<std::string> chunks{"XPico\r\n", kListing, "Your choice? "};
        chunks.insert(chunks.end(), rest.begin(), rest.end());
        return ScriptedTransport(std::move(chunks));
    };

    ScriptedTransport good =
        enterAnd({"baud (115200)? ", "databits (8)? ", "Your choice? ", "applied\r\n"});
    SetupMenuClient client(good, deadline);
    ASSERT_TRUE(client.Enter());
    EXPECT_TRUE(client.ChangeSerial({{"baud", "230400"}}));
    EXPECT_TRUE(client.Commit(false));
    EXPECT_EQ(good.Written(), "\rserial\r230400\r\rapply\r");

    ScriptedTransport noBaudPrompt = enterAnd({"speed (115200)? ", "Your choice? "});
    SetupMenuClient second(noBaudPrompt, deadline);
    ASSERT_TRUE(second.Enter());
    EXPECT_FALSE(second.ChangeSerial({{"baud", "230400"}}));

    ScriptedTransport closedEarly = enterAnd({"baud (115200)? ", "Your choice? ", "stor"});
    SetupMenuClient third(closedEarly, deadline);
    ASSERT_TRUE(third.Enter());
    ASSERT_TRUE(third.ChangeSerial({{"baud", "230400"}}));
    EXPECT_FALSE(third.Commit(true)) << "the connection closed before \"stored\"";

    ScriptedTransport promptInstead = enterAnd({"baud (115200)? ", "Your choice? ", "Sure? "});
    SetupMenuClient fourth(promptInstead, deadline);
    ASSERT_TRUE(fourth.Enter());
    ASSERT_TRUE(fourth.ChangeSerial({{"baud", "230400"}}));
    EXPECT_FALSE(fourth.Commit(true));
}

TEST(SetupMenuClientTest, ASilentServerEndsTheWaitAtTheDeadline) {
    ScriptedTransport silent({"XPico\r\n"}, true);
    const SetupDeadline deadline(0);
    SetupMenuClient client(silent, deadline);
    EXPECT_FALSE(client.Enter());
}

}  // namespace
