// The property pages' texts: fixed German ones for a live diagram of its own, and the string
// ids the diagram view loads in the current language.
#include "app/views/DiagramPageTexts.h"

#include <span>

#include "foundation/Language.h"

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

constexpr IdRow kChartIds[] = {{-1, 5141},   {-2, 5140},   {2, 5237},    {5002, 5142}, {1001, 5143},
                               {1002, 5558}, {1003, 5559}, {6050, 5560}, {6076, 5561}, {1004, 5562},
                               {1005, 5550}, {1006, 5557}, {1007, 5563}, {6052, 5564}};
constexpr IdRow kAxisIds[] = {{-1, 5141},   {-2, 5565},   {2, 5237},    {5002, 5142}, {1015, 5560},
                              {6002, 5567}, {6001, 5566}, {6009, 5568}, {6009, 5568}, {6039, 5569},
                              {6058, 5570}, {6014, 5571}, {6015, 5572}, {1016, 5136}, {1022, 5573},
                              {1017, 5574}, {1023, 5575}, {1018, 5576}, {1024, 5577}, {1019, 5578},
                              {1025, 5579}, {1020, 5580}, {1021, 5581}, {1026, 5582}};
constexpr IdRow kCurveIds[] = {{-1, 5141},   {-2, 5641},   {2, 5237},    {5002, 5142}, {1009, 5142},
                               {1010, 5642}, {1011, 5643}, {1012, 5644}, {1013, 5645}, {6009, 5568},
                               {1008, 5647}, {1014, 5647}, {6038, 5570}, {6062, 5648}, {6059, 5649},
                               {6011, 5650}, {6012, 5651}, {1009, 5652}};

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
