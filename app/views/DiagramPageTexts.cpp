// The property pages' texts: fixed German ones for a live diagram of its own, and the string
// ids the diagram view loads in the current language.
#include "app/views/DiagramPageTexts.h"

#include <span>

#include "foundation/Language.h"
#include "res/TextIds.h"

namespace {

struct TextRow {
    int id;
    const char* german;
};
struct IdRow {
    int id;
    int stringId;
};

constexpr TextRow kChartDefaults[] = {
    {-1, "Einstellungen"}, {-2, "Diagramm"},     {2, "Abbrechen"},  {5002, "Übernehmen"},
    {1001, "Hintergrund"}, {1002, "Außen"},      {1003, "Innen"},   {6050, "Legende"},
    {6076, "Fangen"},      {1004, "Fangradius"}, {1005, "X-Achse"}, {1006, "Y-Achse"},
    {1007, "Kurve"},       {6052, "Pufferung"}};
constexpr TextRow kAxisDefaults[] = {{-1, "Einstellungen"}, {-2, "Achse"},
                                     {2, "Abbrechen"},      {5002, "Übernehmen"},
                                     {1015, "Bezeichner"},  {6002, "Bez. Schriftart"},
                                     {6001, "Schriftart"},  {6009, "Sichtbar"},
                                     {6009, "Sichtbar"},    {6039, "Aut. anpassen"},
                                     {6058, "Markierung"},  {6014, "Raster"},
                                     {6015, "Zeitachse"},   {1016, "Dezimalstellen"},
                                     {1022, "Pfeilgröße"},  {1017, "Schrittgröße"},
                                     {1023, "Mark.Größe"},  {1018, "Rasterstil"},
                                     {1024, "Position"},    {1019, "Farbe"},
                                     {1025, "Rasterfarbe"}, {1020, "Minimum"},
                                     {1021, "Maximum"},     {1026, "Teilung"}};
constexpr TextRow kCurveDefaults[] = {
    {-1, "Einstellungen"}, {-2, "Meßkurve"},      {2, "Abbrechen"},       {5002, "Übernehmen"},
    {1008, "Bezeichn."},   {1009, "Stil"},        {1010, "Linienbreite"}, {1011, "Meßpunktgröße"},
    {1012, "Linienart"},   {1013, "Linienfarbe"}, {6009, "Sichtbar"},     {1014, "Bezeichner"},
    {6038, "Markierung"},  {6062, "Typ"},         {6059, "Symbol"},       {6011, "Füllen"},
    {6012, "Transparent"}};

constexpr IdRow kChartIds[] = {{-1, IDS_CHART_SETTINGS},
                               {-2, IDS_DIAGRAM},
                               {2, IDS_CANCEL},
                               {5002, IDS_CHART_APPLY},
                               {1001, IDS_CHART_BACKGROUND},
                               {1002, IDS_CHART_OUTSIDE},
                               {1003, IDS_CHART_INSIDE},
                               {6050, IDS_CHART_LEGEND},
                               {6076, IDS_CHART_SNAP},
                               {1004, IDS_CHART_SNAP_RADIUS},
                               {1005, IDS_CHART_X_AXIS},
                               {1006, IDS_CHART_Y_AXIS},
                               {1007, IDS_CHART_CURVE},
                               {6052, IDS_CHART_BUFFERING}};
constexpr IdRow kAxisIds[] = {
    {-1, IDS_CHART_SETTINGS},     {-2, IDS_CHART_AXIS},          {2, IDS_CANCEL},
    {5002, IDS_CHART_APPLY},      {1015, IDS_CHART_LEGEND},      {6002, IDS_CHART_LABEL_FONT},
    {6001, IDS_CHART_FONT},       {6009, IDS_CHART_VISIBLE},     {6009, IDS_CHART_VISIBLE},
    {6039, IDS_CHART_AUTO_SCALE}, {6058, IDS_CHART_MARKER},      {6014, IDS_CHART_GRID},
    {6015, IDS_CHART_TIME_AXIS},  {1016, IDS_DECIMALS},          {1022, IDS_CHART_ARROW_SIZE},
    {1017, IDS_CHART_STEP_SIZE},  {1023, IDS_CHART_MARKER_SIZE}, {1018, IDS_CHART_GRID_STYLE},
    {1024, IDS_CHART_POSITION},   {1019, IDS_CHART_COLOUR},      {1025, IDS_CHART_GRID_COLOUR},
    {1020, IDS_CHART_MINIMUM},    {1021, IDS_CHART_MAXIMUM},     {1026, IDS_CHART_DIVISION}};
constexpr IdRow kCurveIds[] = {
    {-1, IDS_CHART_SETTINGS},     {-2, IDS_CHART_MEASURED_CURVE}, {2, IDS_CANCEL},
    {5002, IDS_CHART_APPLY},      {1009, IDS_CHART_APPLY},        {1010, IDS_CHART_LINE_WIDTH},
    {1011, IDS_CHART_POINT_SIZE}, {1012, IDS_CHART_LINE_STYLE},   {1013, IDS_CHART_LINE_COLOUR},
    {6009, IDS_CHART_VISIBLE},    {1008, IDS_CHART_LABEL},        {1014, IDS_CHART_LABEL},
    {6038, IDS_CHART_MARKER},     {6062, IDS_CHART_TYPE},         {6059, IDS_CHART_SYMBOL},
    {6011, IDS_CHART_FILL},       {6012, IDS_CHART_TRANSPARENT},  {1009, IDS_CHART_STYLE}};

}  // namespace

PageTexts DefaultPageTexts(int page) {
    std::span<const TextRow> rows =
        page == kChartPageTexts  ? std::span<const TextRow>(kChartDefaults)
        : page == kAxisPageTexts ? std::span<const TextRow>(kAxisDefaults)
                                 : std::span<const TextRow>(kCurveDefaults);
    PageTexts texts;
    for (const TextRow& row : rows)
        texts.push_back({row.id, row.german});
    return texts;
}

PageTexts LanguagePageTexts(int page) {
    std::span<const IdRow> rows = page == kChartPageTexts  ? std::span<const IdRow>(kChartIds)
                                  : page == kAxisPageTexts ? std::span<const IdRow>(kAxisIds)
                                                           : std::span<const IdRow>(kCurveIds);
    PageTexts texts;
    for (const IdRow& row : rows)
        texts.push_back({row.id, GetLanguageString(row.stringId)});
    return texts;
}
