// Step eight of the road: the language switched at run time; the menu, the bars and the pages
// show the texts of the string table in that language.
#include "Files.h"
#include "Road.h"
#include "platform/ui/menu/MenuApi.h"
#include "tools/harness/RoadSteps.h"

namespace e2e {
namespace {

using Language = Road;

struct Sample {
    UINT command;  // a menu item, or 0 for a text shown in a window
    int textId;
};

// Menu items of the pages, the navigation bar's caption, the connection page's frame, button
// and check boxes.
constexpr Sample kSamples[] = {{10005, 5052}, {10006, 5053}, {10007, 5054}, {10008, 5055},
                               {10010, 5057}, {0, 5076},     {0, 5021},     {0, 5130},
                               {0, 5405},     {0, 5446}};

std::string MenuText(HWND frame, UINT command) {
    char text[256] = {};
    ::GetMenuString(::GetMenu(frame), command, text, sizeof text, MF_BYCOMMAND);
    const std::string item = text;
    return item.substr(0, item.find('\t'));
}

TEST_F(Language, TheMenuBarsAndPagesSpeakTheChosenLanguage) {
    StartBench(OneSensorArguments(stateFile_), 1);
    StartApp();
    for (const auto& [command, offset] :
         {std::pair{kCommandFrench, 4000}, std::pair{kCommandEnglish, 1000},
          std::pair{kCommandGerman, 0}}) {
        app_->Command(command);
        ShowPortList(*app_);
        const std::string texts = VisibleTexts(app_->FrameWindow());
        for (const Sample& sample : kSamples) {
            const std::string expected = TableText(sample.textId, offset);
            ASSERT_FALSE(expected.empty()) << sample.textId;
            if (sample.command != 0)
                EXPECT_EQ(MenuText(app_->FrameWindow(), sample.command), expected)
                    << "language " << offset;
            else
                EXPECT_NE(texts.find(expected + "\n"), std::string::npos)
                    << "language " << offset << ": " << expected;
        }
    }
}

}  // namespace
}  // namespace e2e
