// The CSV files opened as a user opens them: LibreOffice Calc with the German and the English
// import settings reads every number as a number and keeps the unit text intact. Skipped where
// no soffice is installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/flow/CsvBody.h"
#include "base/ScopedTempFolder.h"
#include "flow_Fakes.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool HaveSoffice() {
    return std::system("command -v soffice > /dev/null 2>&1") == 0;
}

// Converts the CSV with the filter options and returns the spreadsheet's XML.
std::string OpenInCalc(const kq::test::ScopedTempFolder& folder, const std::string& name,
                       const std::string& options) {
    const std::string command = "cd '" + folder.Path() + "' && HOME='" + folder.Path() +
                                "' soffice --headless --infilter=\"CSV:" + options +
                                "\" --convert-to fods '" + name + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return "";
    return ReadAll(folder / (name.substr(0, name.rfind('.')) + ".fods"));
}

TEST(Spreadsheet, GermanAndEnglishFilesOpenWithNumbersAndUnits) {
    if (!HaveSoffice())
        GTEST_SKIP() << "soffice is not installed";
    kq::test::ScopedTempFolder folder;
    flowtest::FakeDiagram diagram;
    diagram.Fill(0, {1.25, -3.5});
    diagram.Fill(1, {7, 8});
    for (bool german : {true, false}) {
        CsvLayout layout;
        layout.columns = {0, 1};
        layout.decimals[0] = 2;
        layout.unitText[1] = " N·m";  // a column with its unit is text, the other numbers
        layout.separator = german ? ";" : ",";
        layout.decimalComma = german;
        layout.rowCount = 2;
        std::string text;
        WriteCsvRows(layout, diagram, text);
        const std::string name = german ? "de.csv" : "en.csv";
        std::ofstream(folder / name, std::ios::binary) << text;
        const std::string xml =
            OpenInCalc(folder, name, german ? "59,34,76,1,,1031" : "44,34,76,1,,1033");
        ASSERT_FALSE(xml.empty());
        EXPECT_NE(xml.find("office:value=\"1.25\""), std::string::npos);
        EXPECT_NE(xml.find("office:value=\"-3.5\""), std::string::npos);
        EXPECT_NE(xml.find("7 N·m"), std::string::npos);
    }
}

}  // namespace
