// The operator's road in steps an operator takes, each through the menu, the pages' controls
// and the dialogs: shared by the end-to-end tests and the demonstration. Each answers whether
// the program did what the step waits for.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/harness/AppDriver.h"

namespace e2e {

// The menu commands of the road.
constexpr UINT kCommandSaveValues = 10001;
constexpr UINT kCommandSaveDiagram = 10002;
constexpr UINT kCommandPrint = 10003;
constexpr UINT kCommandConnection = 10005;
constexpr UINT kCommandInformation = 10006;
constexpr UINT kCommandMeasureSettings = 10007;
constexpr UINT kCommandDocumentation = 10008;
constexpr UINT kCommandCalibration = 10009;
constexpr UINT kCommandMeasureDiagram = 10010;
constexpr UINT kCommandDiagnostic = 10011;
constexpr UINT kCommandGerman = 10019;
constexpr UINT kCommandEnglish = 10020;
constexpr UINT kCommandFrench = 10021;

// A single sensor at 230400 baud with a slow sine load: the bench of the measuring steps, where
// the program opens the one sensor it finds by itself.
std::vector<std::string> OneSensorArguments(const std::string& stateFile);

// Runs until the main window shows (the search has found a sensor).
bool WaitForMainWindow(AppDriver& app, int64_t maxMs = 30000);
// A sensor is open and read: its port's row is open for it, its blocks are read and nothing asked
// of it waits for an answer. The main window shows before the program opens the sensor it found.
bool IsSensorOpen(AppDriver& app);
bool WaitForSensorOpen(AppDriver& app, int64_t maxMs = 20000);
// The program has found an open sensor gone (its line dropped, its port vanished).
bool IsSensorLost(AppDriver& app);
// Shows a page by its menu command and lets it settle; chooses it again, as an operator does,
// while the frame refuses it for now (a request outstanding, the wait cursor of a search or an
// activation), for at most 30 s.
void ShowPage(AppDriver& app, UINT command);
// The page of the menu command is the one shown.
bool IsPageShown(AppDriver& app, UINT command);
// The connection page's list of ports, the page shown; null when the page does not show.
HWND ShowPortList(AppDriver& app);
// Clicks a cell of the port list that edits by a drop-down list, and waits until that editor
// has the keyboard; false when it never does.
bool OpenCellEditor(AppDriver& app, HWND list, int row, int column);
// The connection page takes an activation or an Update: the sensor engine waits for no answer and
// no activation is under way (the page lets such a click pass without effect).
bool IsConnectionPageIdle(AppDriver& app);
// The connection page's Update clicked once the page takes it: idle, the button enabled (a
// refresh of the program's own, after a device came or went, has ended). False when that never
// comes.
bool ClickUpdate(AppDriver& app, int64_t maxMs = 15000);
// The status line's first pane (the sensor's state or the menu prompt).
std::string StatusText(AppDriver& app);

// The operator picks an item of a drop-down list; the list tells its owner as it does.
void ChooseItem(AppDriver& app, HWND combo, int item);
// The edit clicked, its text selected and replaced by typing, the focus moved on with Tab.
void TypeInto(AppDriver& app, HWND edit, const char* text);

// The numbers the channel views show ("10,00 N·m" reads 10.0), whatever the decimal mark, in
// ascending order; the views keep their texts while their bars are hidden beside the diagram.
std::vector<double> ShownChannelValues(HWND frame);

// The menu item of the command is enabled, as the menu shows it when it opens.
bool IsCommandEnabled(AppDriver& app, UINT command);

// The measure-and-diagram page: Start clicked, `ms` of measuring, `during` called while it
// still measures, Stop clicked, and the recording completed. False when the run never started or
// never ended.
bool Measure(AppDriver& app, int64_t ms, const std::function<void()>& during = {});
// The measured values saved as CSV / the diagram as BMP through the save dialog, and the
// diagram printed to a PDF file through the print dialog. False when no file came.
bool SaveValues(AppDriver& app, const std::string& path);
bool SaveDiagram(AppDriver& app, const std::string& path);
bool PrintToPdf(AppDriver& app, const std::string& path);

}  // namespace e2e
